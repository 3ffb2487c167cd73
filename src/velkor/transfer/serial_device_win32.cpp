#include "velkor/transfer/serial_device_win32.h"

#include <algorithm>
#include <limits>

namespace transfer {

bool Win32SerialDevice::Open(const std::string& path) {
    Close();
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    handle_ = handle;
    return true;
}

bool Win32SerialDevice::Configure(const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(handle_, &dcb)) return false;
    if (!BuildCommDCBA(settings.mode.c_str(), &dcb)) return false;
    dcb.fOutxDsrFlow = settings.dsrOutputFlow ? TRUE : FALSE;
    if (settings.dtrHandshake) dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    if (settings.oneStopBit) dcb.StopBits = ONESTOPBIT;
    return SetCommState(handle_, &dcb) != FALSE;
}

bool Win32SerialDevice::SetTimeouts(const LineTimeouts& timeouts) {
    COMMTIMEOUTS current{};
    if (!GetCommTimeouts(handle_, &current)) return false;
    current.ReadIntervalTimeout = timeouts.readIntervalMs;
    current.ReadTotalTimeoutConstant = timeouts.readTotalConstantMs;
    current.WriteTotalTimeoutConstant = timeouts.writeTotalConstantMs;
    SetCommTimeouts(handle_, &current);
    return true;
}

void Win32SerialDevice::Purge() {
    PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

void Win32SerialDevice::ClearErrors() {
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(handle_, &errors, &status);
}

std::optional<size_t> Win32SerialDevice::Write(std::string_view bytes) {
    // One call takes at most a DWORD's worth; the caller loops over the rest.
    const DWORD count =
        static_cast<DWORD>(std::min<size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), count, &written, nullptr)) return std::nullopt;
    return written;
}

void Win32SerialDevice::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

}  // namespace transfer
