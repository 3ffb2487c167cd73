#include "tests/transfer/sim/wine_spooler.h"

#include <windows.h>
#include <winspool.h>
// winspool.h maps SetPort to the port API's SetPortA, which would rename our member.
#undef SetPort

#include <vector>

namespace transfer::sim {

namespace {

constexpr char kDriver[] = "Velkor Transfer Test Driver";

std::vector<BYTE> PrinterInfo2(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterA(printer, 2, buffer.data(), needed, &needed)) return {};
    return buffer;
}

}  // namespace

std::optional<std::string> WineSpooler::GetPort(const std::string& printerName) {
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printerName.c_str()), &printer, nullptr)) {
        return std::nullopt;
    }
    std::vector<BYTE> info = PrinterInfo2(printer);
    ClosePrinter(printer);
    if (info.empty()) return std::nullopt;
    const char* port = reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pPortName;
    return std::string(port ? port : "");
}

bool WineSpooler::SetPort(const std::string& printerName, const std::string& portName) {
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printerName.c_str()), &printer, &defaults)) return false;
    std::vector<BYTE> info = PrinterInfo2(printer);
    bool ok = false;
    if (!info.empty()) {
        std::string port = portName;
        reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pPortName = port.data();
        ok = SetPrinterA(printer, 2, info.data(), 0) != FALSE;
    }
    ClosePrinter(printer);
    return ok;
}

bool EnsureQueue(const std::string& printerName, const std::string& portName) {
    WineSpooler spooler;
    if (spooler.GetPort(printerName)) return spooler.SetPort(printerName, portName);

    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("generic.ppd");
    AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                        APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);

    PRINTER_INFO_2A queue{};
    queue.pPrinterName = const_cast<char*>(printerName.c_str());
    queue.pPortName = const_cast<char*>(portName.c_str());
    queue.pDriverName = const_cast<char*>(kDriver);
    queue.pPrintProcessor = const_cast<char*>("WinPrint");
    queue.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&queue));
    if (printer == nullptr) return false;
    ClosePrinter(printer);
    return true;
}

}  // namespace transfer::sim
