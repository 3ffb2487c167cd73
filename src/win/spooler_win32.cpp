#include <vector>

#include "win/win32_services.h"

namespace win {
namespace {

class PrinterHandle {
public:
    PrinterHandle(const std::string& name, PRINTER_DEFAULTSA* defaults) {
        std::string writable = name;
        if (!OpenPrinterA(writable.data(), &handle_, defaults)) handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_) ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// The printer's level-2 record in a buffer of its own; empty when it cannot be read.
std::vector<BYTE> ReadPrinterInfo2(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterA(printer, 2, buffer.data(), needed, &needed)) return {};
    return buffer;
}

}  // namespace

std::optional<std::vector<PrinterInfo>> Win32Spooler::EnumeratePrinters() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    DWORD returned = 0;
    // The list may grow between the size query and the read; try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (EnumPrintersA(flags, nullptr, 2, buffer.data(), static_cast<DWORD>(buffer.size()),
                          &needed, &returned)) {
            std::vector<PrinterInfo> printers;
            const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
            for (DWORD i = 0; i < returned; ++i) {
                printers.push_back({records[i].pPrinterName ? records[i].pPrinterName : "",
                                    records[i].pDriverName ? records[i].pDriverName : ""});
            }
            return printers;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) break;
        buffer.resize(needed);
    }
    return std::nullopt;
}

std::optional<std::string> Win32Spooler::GetPort(const std::string& printerName) {
    PrinterHandle printer(printerName, nullptr);
    if (printer.Get() == nullptr) return std::nullopt;
    const auto buffer = ReadPrinterInfo2(printer.Get());
    if (buffer.empty()) return std::nullopt;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    return std::string(info->pPortName ? info->pPortName : "");
}

bool Win32Spooler::SetPort(const std::string& printerName, const std::string& portName) {
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    PrinterHandle printer(printerName, &defaults);
    if (printer.Get() == nullptr) return false;
    auto buffer = ReadPrinterInfo2(printer.Get());
    if (buffer.empty()) return false;
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    std::string port = portName;
    info->pPortName = port.data();
    info->pSecurityDescriptor = nullptr;  // left as it is
    return SetPrinterA(printer.Get(), 2, buffer.data(), 0) != FALSE;
}

std::optional<std::string> Win32Spooler::DriverDirectory() {
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                    sizeof directory, &needed)) {
        return std::nullopt;
    }
    directory[MAX_PATH - 1] = '\0';
    return std::string(directory);
}

}  // namespace win
