// velkor.exe: the program's entry. Everything after the platform set-up is
// CTarnelApp's start-up.
#include <memory>

#include "velkor/app/tarnel_app.h"
#include "velkor/transfer/transport_win32.h"
#include "velkor/ui/popup_button_win32.h"
#include "win/win32_services.h"
#include "win/win32_ui.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the folder dialog needs it

    win::Win32Services platform;
    std::unique_ptr<win::Win32Ui> ui;

    app::StartupPlatform startup;
    startup.loadLanguageModule = [&ui](const std::string& path) -> win::Ui* {
        // Loaded for the whole run and never unloaded.
        HMODULE module = LoadLibraryA(path.c_str());
        if (module == nullptr) return nullptr;
        ui = std::make_unique<win::Win32Ui>(module, ui::AttachPopupButtonWin32);
        return ui.get();
    };
    startup.showError = [](std::string_view text, std::string_view caption) {
        MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(),
                    MB_ICONERROR | MB_OK);
    };

    const auto transport = transfer::MakeWin32Transport();
    startup.runMainWindow = [&transport](win::Ui& shownUi, const win::Services& services,
                                         const mainwindow::MainWindowArgs& args) {
        return app::RunTarnelDlgWithTransport(shownUi, services, args, *transport);
    };

    app::CTarnelApp application(platform.services, startup);
    application.InitInstance(commandLine ? commandLine : "");
    CoUninitialize();
    return 0;
}
