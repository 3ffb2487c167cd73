#include "velkor/transfer/transport_win32.h"

#include <windows.h>

#include <algorithm>

#include "familyapi/ornio.h"
#include "velkor/transfer/serial_device_win32.h"

namespace transfer {

namespace {

class OrnioTransfer : public UsbTransfer {
public:
    bool Send(const std::string& portName, std::string_view bytes, uint32_t timeoutMs) override {
        DWORD written = 0;
        return OrnioSend(0, portName.c_str(), bytes.data(), static_cast<DWORD>(bytes.size()),
                         &written, timeoutMs) != 0;
    }
};

class SystemClock : public TickClock {
public:
    uint64_t NowMs() override { return GetTickCount64(); }
};

class Win32Transport : public Transport {
public:
    std::unique_ptr<SerialDevice> NewSerialDevice() override {
        return std::make_unique<Win32SerialDevice>();
    }
    UsbTransfer& Usb() override { return usb_; }
    TickClock& Clock() override { return clock_; }

private:
    OrnioTransfer usb_;
    SystemClock clock_;
};

}  // namespace

std::unique_ptr<Transport> MakeWin32Transport() {
    return std::make_unique<Win32Transport>();
}

}  // namespace transfer
