// Sets up the print spooler of a development prefix: one driver per model of the
// family plus one foreign driver, and a queue for each, through the spooler's own
// calls. Drivers and queues that exist already are left alone, so it can run again.
// Prints the printer-driver directory as "driver-dir=<path>" for scripts/wine-setup.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Queue {
    const char* printer;
    const char* driver;
    const char* port;
};

// The family's drivers on the ports the transfer code handles (USB, COM) and one
// it refuses (LPT), plus a queue of a driver outside the family.
const Queue kQueues[] = {
    {"Ostrel LM-510", "Ostrel LM-510", "USB001"},
    {"Ostrel LM-520", "Ostrel LM-520", "COM3:"},
    {"Ostrel LM-610N", "Ostrel LM-610N", "USB002"},
    {"Ostrel LM-620N", "Ostrel LM-620N", "LPT1:"},
    {"Office Laser", "Office Laser Generic", "FILE:"},
};

std::vector<std::string> DriverNames() {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversA(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buf(needed ? needed : 1);
    std::vector<std::string> names;
    if (!EnumPrinterDriversA(nullptr, nullptr, 1, buf.data(), needed, &needed, &count))
        return names;
    auto* info = reinterpret_cast<DRIVER_INFO_1A*>(buf.data());
    for (DWORD i = 0; i < count; ++i) names.emplace_back(info[i].pName);
    return names;
}

bool PrinterExists(const char* name) {
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &h, nullptr)) return false;
    ClosePrinter(h);
    return true;
}

bool Contains(const std::vector<std::string>& names, const char* name) {
    for (const auto& n : names)
        if (lstrcmpiA(n.c_str(), name) == 0) return true;
    return false;
}

bool AddDriver(const char* name) {
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name);
    info.pDriverPath = const_cast<char*>("wineps.drv");
    info.pDataFile = const_cast<char*>("generic.ppd");
    info.pConfigFile = const_cast<char*>("wineps.drv");
    info.pDefaultDataType = const_cast<char*>("RAW");
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES);
}

bool AddQueue(const Queue& q) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(q.printer);
    info.pDriverName = const_cast<char*>(q.driver);
    info.pPortName = const_cast<char*>(q.port);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!h) return false;
    ClosePrinter(h);
    return true;
}

}  // namespace

int main() {
    int failures = 0;
    std::vector<std::string> drivers = DriverNames();
    for (const Queue& q : kQueues) {
        if (!Contains(drivers, q.driver)) {
            if (AddDriver(q.driver)) {
                drivers.emplace_back(q.driver);
                std::printf("driver added: %s\n", q.driver);
            } else {
                std::printf("driver failed: %s (error %lu)\n", q.driver, GetLastError());
                ++failures;
                continue;
            }
        }
        if (PrinterExists(q.printer)) continue;
        if (AddQueue(q)) {
            std::printf("queue added: %s on %s\n", q.printer, q.port);
        } else {
            std::printf("queue failed: %s (error %lu)\n", q.printer, GetLastError());
            ++failures;
        }
    }

    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                   &needed)) {
        std::printf("driver-dir=%s\n", dir);
    } else {
        std::printf("driver-dir failed (error %lu)\n", GetLastError());
        ++failures;
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
