// Print queues the Wine transfer test sends through.
#pragma once

#include <string>

namespace transfer::sim {

// Makes sure a queue named `printerName` exists on `portName` (installing a test
// driver when needed).
bool EnsureQueue(const std::string& printerName, const std::string& portName);

}  // namespace transfer::sim
