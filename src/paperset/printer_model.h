// What velkor and velkorctl look up before they open a model: the printer queue's
// model and the language module beside the program.
#pragma once

#include <optional>
#include <string>

#include "win/services.h"

namespace paperset {

// A printer queue and the model its driver serves.
struct PrinterModel {
    std::string printerName;  // empty when no queue has exactly that name
    std::string driverName;   // the queue's driver; empty with no queue
    std::string modelPrefix;  // empty when the driver is no model of the family
};
// Takes the first printer named exactly `printerName` (enumeration that fails finds
// none) and the model table's row for its driver.
PrinterModel FindPrinterModel(win::Spooler& spooler, const std::string& printerName);

// The name of the language module beside the program; nullopt when the program
// folder cannot be obtained.
std::optional<std::string> LanguageModulePath(win::FileSystem& files);

}  // namespace paperset
