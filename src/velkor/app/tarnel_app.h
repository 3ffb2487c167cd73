// The application object: runs start-up and the main window once.
#pragma once

#include <string>

#include "velkor/app/startup.h"

namespace transfer {
class Transport;
}

namespace app {

// Creates CTarnelDlg (template 102) and runs it modally without owner.
int RunTarnelDlg(win::Ui& ui, const win::Services& services,
                 const mainwindow::MainWindowArgs& args);
// The same with the transport through which the send command reaches the printer.
int RunTarnelDlgWithTransport(win::Ui& ui, const win::Services& services,
                              const mainwindow::MainWindowArgs& args,
                              transfer::Transport& transport);

class CTarnelApp {
public:
    // `platform.runMainWindow` may be left empty: RunTarnelDlg is used then.
    CTarnelApp(const win::Services& services, StartupPlatform platform);

    // Runs the whole start-up and the main window. Always false: no message loop
    // follows, the program ends when the main window has closed.
    bool InitInstance(std::string_view commandLine);
    StartupOutcome Outcome() const { return outcome_; }

private:
    const win::Services& services_;
    StartupPlatform platform_;
    StartupOutcome outcome_ = StartupOutcome::BadArguments;
};

}  // namespace app
