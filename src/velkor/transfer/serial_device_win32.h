// A serial line on a Win32 communications handle.
#pragma once

#include <windows.h>

#include "velkor/transfer/devices.h"

namespace transfer {

class Win32SerialDevice : public SerialDevice {
public:
    Win32SerialDevice() = default;
    ~Win32SerialDevice() override { Close(); }
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

    bool Open(const std::string& path) override;
    bool Configure(const LineSettings& settings) override;
    bool SetTimeouts(const LineTimeouts& timeouts) override;
    void Purge() override;
    void ClearErrors() override;
    std::optional<size_t> Write(std::string_view bytes) override;
    void Close() override;
    bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace transfer
