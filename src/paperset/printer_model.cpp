#include "paperset/printer_model.h"

#include "papertable/model_table.h"
#include "win/program_folder.h"

namespace paperset {
namespace {

// The driver name of the first printer named exactly `printerName`; nullopt when
// there is none or the printers cannot be listed.
std::optional<std::string> FindDriverName(win::Spooler& spooler, const std::string& printerName) {
    const auto printers = spooler.EnumeratePrinters();
    if (!printers) return std::nullopt;
    for (const auto& printer : *printers) {
        if (printer.printerName == printerName) return printer.driverName;
    }
    return std::nullopt;
}

}  // namespace

PrinterModel FindPrinterModel(win::Spooler& spooler, const std::string& printerName) {
    PrinterModel found;
    if (const auto driverName = FindDriverName(spooler, printerName)) {
        found.printerName = printerName;
        found.driverName = *driverName;
        found.modelPrefix = papertable::ModelPrefixForDriver(*driverName);
    }
    return found;
}

std::optional<std::string> LanguageModulePath(win::FileSystem& files) {
    const auto folder = win::ProgramFolder(files);
    if (!folder) return std::nullopt;
    return *folder + "\\" + std::string(papertable::kFamilyPrefix) + "ct.dll";
}

}  // namespace paperset
