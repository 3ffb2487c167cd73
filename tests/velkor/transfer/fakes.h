// Fakes for the transfer tests: a transport whose serial line and USB library
// record what they are given and can refuse, stall or take only part of the bytes.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "velkor/transfer/devices.h"

namespace transfer::testing {

class FakeClock : public TickClock {
public:
    uint64_t now = 5'000;
    uint64_t NowMs() override { return now; }
};

// The far end of the serial line and everything done to it.
struct FakeLine {
    std::vector<std::string> calls;  // in order: "Open <path>", "Configure", ...
    LineSettings settings;
    LineTimeouts timeouts;
    std::string received;
    std::vector<size_t> writeSizes;  // bytes offered per write call

    bool openFails = false;
    bool configureFails = false;
    bool timeoutsFail = false;
    size_t capacity = SIZE_MAX;     // the device takes this many bytes in all, then stalls
    size_t maxPerWrite = SIZE_MAX;  // at most this many per call
    int failingWrites = 0;          // the next n calls fail outright
    uint64_t msPerWrite = 1;        // clock advance of a call that takes bytes
    uint64_t msPerStall = 100;      // of a call that takes nothing (the write time-out)
    std::function<void()> onWrite;  // runs at every write call
    int openDevices = 0;
};

class FakeSerialDevice : public SerialDevice {
public:
    FakeSerialDevice(FakeLine& line, FakeClock& clock) : line_(line), clock_(clock) {}
    ~FakeSerialDevice() override { Close(); }

    bool Open(const std::string& path) override {
        line_.calls.push_back("Open " + path);
        if (line_.openFails) return false;
        open_ = true;
        ++line_.openDevices;
        return true;
    }
    bool Configure(const LineSettings& settings) override {
        line_.calls.push_back("Configure");
        line_.settings = settings;
        return !line_.configureFails;
    }
    bool SetTimeouts(const LineTimeouts& timeouts) override {
        line_.calls.push_back("SetTimeouts");
        line_.timeouts = timeouts;
        return !line_.timeoutsFail;
    }
    void Purge() override { line_.calls.push_back("Purge"); }
    void ClearErrors() override { line_.calls.push_back("ClearErrors"); }
    std::optional<size_t> Write(std::string_view bytes) override {
        line_.writeSizes.push_back(bytes.size());
        if (line_.onWrite) line_.onWrite();
        if (line_.failingWrites > 0) {
            --line_.failingWrites;
            clock_.now += line_.msPerStall;
            return std::nullopt;
        }
        const size_t room = line_.capacity - std::min(line_.capacity, line_.received.size());
        const size_t taken = std::min({bytes.size(), room, line_.maxPerWrite});
        line_.received.append(bytes.substr(0, taken));
        clock_.now += taken ? line_.msPerWrite : line_.msPerStall;
        return taken;
    }
    void Close() override {
        if (!open_) return;
        line_.calls.push_back("Close");
        open_ = false;
        --line_.openDevices;
    }
    bool IsOpen() const override { return open_; }

private:
    FakeLine& line_;
    FakeClock& clock_;
    bool open_ = false;
};

class FakeUsb : public UsbTransfer {
public:
    struct Call {
        std::string port;
        std::string bytes;
        uint32_t timeoutMs;
    };
    std::vector<Call> calls;
    std::set<size_t> failingCalls;  // indexes of calls that report failure

    bool Send(const std::string& port, std::string_view bytes, uint32_t timeoutMs) override {
        calls.push_back({port, std::string(bytes), timeoutMs});
        return !failingCalls.count(calls.size() - 1);
    }
};

class FakeTransport : public Transport {
public:
    FakeLine line;
    FakeUsb usb;
    FakeClock clock;
    int devicesMade = 0;

    std::unique_ptr<SerialDevice> NewSerialDevice() override {
        ++devicesMade;
        return std::make_unique<FakeSerialDevice>(line, clock);
    }
    UsbTransfer& Usb() override { return usb; }
    TickClock& Clock() override { return clock; }
};

}  // namespace transfer::testing
