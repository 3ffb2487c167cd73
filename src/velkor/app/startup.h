// Start-up of velkor: from the command line to the modal main window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "velkor/mainwindow/tarnel_dlg_args.h"
#include "win/services.h"
#include "win/ui.h"

namespace app {

inline constexpr std::string_view kBadArgumentsText = "Bad Arguments.";
inline constexpr std::string_view kBadArgumentsCaption = "Error";
inline constexpr std::string_view kNoResourceModuleText = "Resource file not found.";

// What start-up needs from the platform besides the services.
struct StartupPlatform {
    // Loads the language module by full path and returns the Ui whose dialogs,
    // strings and icons come from it; null when the module cannot be loaded.
    std::function<win::Ui*(const std::string& path)> loadLanguageModule;
    // A message box without owner, with an error icon and an OK button.
    std::function<void(std::string_view text, std::string_view caption)> showError;
    // Creates the main window with the start-up results and runs it modally.
    std::function<int(win::Ui&, const win::Services&, const mainwindow::MainWindowArgs&)>
        runMainWindow;
};

enum class StartupOutcome {
    BadArguments,      // no argument; "Bad Arguments." was shown
    NoLanguageModule,  // "Resource file not found." was shown
    AlreadyRunning,    // the running instance's window was activated
    MainWindowClosed,  // the main window ran and closed
};

// Steps 1 to 6: printer, model, limits and unit from the command line; nullopt
// when the line holds no argument.
std::optional<mainwindow::MainWindowArgs> ResolveStartupArgs(std::string_view commandLine,
                                                             win::Spooler& spooler,
                                                             win::Locale& locale);

// The whole start-up sequence; returns when the program is to end.
StartupOutcome RunStartup(std::string_view commandLine, const win::Services& services,
                          const StartupPlatform& platform);

}  // namespace app
