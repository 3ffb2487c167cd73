// The spooler calls the Wine test needs: queues on chosen ports, and win::Spooler's
// port reading and changing at level 2.
#pragma once

#include <string>

#include "win/services.h"

namespace transfer::sim {

class WineSpooler : public win::Spooler {
public:
    std::optional<std::vector<win::PrinterInfo>> EnumeratePrinters() override { return {}; }
    std::optional<std::string> GetPort(const std::string& printerName) override;
    bool SetPort(const std::string& printerName, const std::string& portName) override;
    std::optional<std::string> DriverDirectory() override { return std::nullopt; }
};

// Makes sure a queue named `printerName` exists on `portName` (installing a test
// driver when needed).
bool EnsureQueue(const std::string& printerName, const std::string& portName);

}  // namespace transfer::sim
