#include "velkor/app/startup.h"

#include "paperset/printer_model.h"
#include "papertable/model_table.h"
#include "resources/resource_ids.h"
#include "rules/unit_choice.h"
#include "velkor/app/command_line.h"

namespace app {
std::optional<mainwindow::MainWindowArgs> ResolveStartupArgs(std::string_view commandLine,
                                                             win::Spooler& spooler,
                                                             win::Locale& locale) {
    const auto arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) return std::nullopt;

    mainwindow::MainWindowArgs args;
    const paperset::PrinterModel printer = paperset::FindPrinterModel(spooler, arguments[0]);
    args.printerName = printer.printerName;
    args.modelPrefix = printer.modelPrefix;
    args.modelLimits = papertable::LimitsForPrefix(args.modelPrefix);
    std::optional<std::string_view> unit;
    if (arguments.size() > 1) unit = arguments[1];
    args.inchUnits = rules::ChooseInchUnits(unit, locale);
    return args;
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
    const auto modulePath = paperset::LanguageModulePath(services.files);
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
