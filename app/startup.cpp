#include "app/startup.h"

#include "app/command_line.h"
#include "app/model_table.h"
#include "resources/resource_ids.h"
#include "win/program_folder.h"

namespace app {
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
        found.modelPrefix = ModelPrefixForDriver(*driverName);
    }
    return found;
}

std::optional<mainwindow::MainWindowArgs> ResolveStartupArgs(std::string_view commandLine,
                                                             win::Spooler& spooler,
                                                             win::Locale& locale) {
    const auto arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) return std::nullopt;

    mainwindow::MainWindowArgs args;
    const PrinterModel printer = FindPrinterModel(spooler, arguments[0]);
    args.printerName = printer.printerName;
    args.modelPrefix = printer.modelPrefix;
    args.modelLimits = LimitsForPrefix(args.modelPrefix);
    std::optional<std::string_view> unit;
    if (arguments.size() > 1) unit = arguments[1];
    args.inchUnits = ChooseInchUnits(unit, locale);
    return args;
}

std::optional<std::string> LanguageModulePath(win::FileSystem& files) {
    const auto folder = win::ProgramFolder(files);
    if (!folder) return std::nullopt;
    return *folder + "\\" + std::string(kFamilyPrefix) + "ct.dll";
}

StartupOutcome RunStartup(std::string_view commandLine, const win::Services& services,
                          const StartupPlatform& platform) {
    const auto args = ResolveStartupArgs(commandLine, services.spooler, services.locale);
    if (!args) {
        platform.showError(kBadArgumentsText, kBadArgumentsCaption);
        return StartupOutcome::BadArguments;
    }

    // Without a program folder there is no module beside the program to load; a
    // bare "\kvx500ct.dll" would name a file in the root of the current drive.
    const auto modulePath = LanguageModulePath(services.files);
    win::Ui* ui = modulePath ? platform.loadLanguageModule(*modulePath) : nullptr;
    if (ui == nullptr) {
        platform.showError(kNoResourceModuleText, win::kDefaultApplicationTitle);
        return StartupOutcome::NoLanguageModule;
    }

    // The running instance's window carries the application title, so that is what
    // to look for, even when string 100 is empty and the title fell back.
    std::string title = ui->LoadString(IDS_APP_TITLE);
    if (title.empty()) title = win::kDefaultApplicationTitle;
    if (services.instance.CreateOwnedMutexExisted("mutex_" + args->modelPrefix)) {
        services.instance.ActivateWindow(title);
        return StartupOutcome::AlreadyRunning;
    }
    ui->SetApplicationTitle(std::move(title));

    platform.runMainWindow(*ui, services, *args);
    return StartupOutcome::MainWindowClosed;
}

}  // namespace app
