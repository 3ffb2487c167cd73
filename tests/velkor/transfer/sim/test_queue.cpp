#include "tests/velkor/transfer/sim/test_queue.h"

#include "win/win32_services.h"

namespace transfer::sim {

namespace {

constexpr char kDriver[] = "Velkor Transfer Test Driver";

}  // namespace

bool EnsureQueue(const std::string& printerName, const std::string& portName) {
    win::Win32Spooler spooler;
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
