// The devices behind a printer port, as small interfaces: the serial line, the
// transfer library's send entry and a millisecond clock. Win32 implementations are
// made by MakeWin32Transport (transport_win32.h); tests use fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace transfer {

struct LineSettings {
    std::string mode;           // text for the DCB builder, "115200,n,8,1"
    bool dsrOutputFlow = true;  // output waits for DSR
    bool dtrHandshake = true;   // DTR used as handshake line
    bool oneStopBit = true;
};

struct LineTimeouts {
    uint32_t readIntervalMs = 20;
    uint32_t readTotalConstantMs = 100;
    uint32_t writeTotalConstantMs = 100;  // bounds one write call
};

// One serial line; at most one open handle. Destroying the object closes it.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Opens `path` for reading and writing, unshared, existing only.
    virtual bool Open(const std::string& path) = 0;
    // Reads the line settings, rebuilds them from `settings.mode`, applies the flags
    // and writes them; false when any of these steps fails.
    virtual bool Configure(const LineSettings& settings) = 0;
    // Reads the time-outs, replaces the constants and writes them back; false only
    // when reading fails (the multipliers stay as read; the write-back is not judged).
    virtual bool SetTimeouts(const LineTimeouts& timeouts) = 0;
    // Aborts and clears both directions.
    virtual void Purge() = 0;
    virtual void ClearErrors() = 0;
    // One write call; the count written, or nullopt when the call fails.
    virtual std::optional<size_t> Write(std::string_view bytes) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// The transfer library's send entry.
class UsbTransfer {
public:
    virtual ~UsbTransfer() = default;
    // True when every byte reached the device on `portName` within `timeoutMs`.
    virtual bool Send(const std::string& portName, std::string_view bytes, uint32_t timeoutMs) = 0;
};

// Milliseconds since some fixed start; 64 bits, so it does not wrap.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual uint64_t NowMs() = 0;
};

// What a PrinterPort reaches besides the spooler.
class Transport {
public:
    virtual ~Transport() = default;
    virtual std::unique_ptr<SerialDevice> NewSerialDevice() = 0;
    virtual UsbTransfer& Usb() = 0;
    virtual TickClock& Clock() = 0;
};

}  // namespace transfer
