#include "velkor/app/tarnel_app.h"

#include "velkor/mainwindow/tarnel_dlg.h"

namespace app {

int RunTarnelDlg(win::Ui& ui, const win::Services& services,
                 const mainwindow::MainWindowArgs& args) {
    mainwindow::CTarnelDlg dialog(ui, services, args);
    return dialog.RunModal(nullptr);
}

int RunTarnelDlgWithTransport(win::Ui& ui, const win::Services& services,
                              const mainwindow::MainWindowArgs& args,
                              transfer::Transport& transport) {
    mainwindow::CTarnelDlg dialog(ui, services, args, &transport);
    return dialog.RunModal(nullptr);
}

CTarnelApp::CTarnelApp(const win::Services& services, StartupPlatform platform)
    : services_(services), platform_(std::move(platform)) {
    if (!platform_.runMainWindow) platform_.runMainWindow = RunTarnelDlg;
}

bool CTarnelApp::InitInstance(std::string_view commandLine) {
    outcome_ = RunStartup(commandLine, services_, platform_);
    return false;
}

}  // namespace app
