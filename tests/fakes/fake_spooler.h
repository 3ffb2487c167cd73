// Spooler fake: a list of queues with their driver and port, and a switch that
// makes enumeration fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class FakeSpooler : public win::Spooler {
public:
    std::vector<win::PrinterInfo> printers;
    bool enumerationFails = false;
    std::map<std::string, std::string> ports;  // printer name -> port
    std::optional<std::string> driverDirectory = "C:\\windows\\system32\\spool\\drivers\\x64";
    std::vector<std::pair<std::string, std::string>> portChanges;
    bool setPortFails = false;

    std::optional<std::vector<win::PrinterInfo>> EnumeratePrinters() override {
        if (enumerationFails) return std::nullopt;
        return printers;
    }
    std::optional<std::string> GetPort(const std::string& printerName) override {
        auto it = ports.find(printerName);
        if (it == ports.end()) return std::nullopt;
        return it->second;
    }
    bool SetPort(const std::string& printerName, const std::string& portName) override {
        portChanges.emplace_back(printerName, portName);
        if (setPortFails || ports.count(printerName) == 0) return false;
        ports[printerName] = portName;
        return true;
    }
    std::optional<std::string> DriverDirectory() override { return driverDirectory; }
};

}  // namespace fakes
