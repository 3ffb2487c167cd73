// velkorsetup.exe: run by the package as deferred custom actions (see
// installer/velkor.wxs). A program without a console window, so that no window
// flashes up during an installation; its report goes to standard error when the
// caller provides one. Exit code 0 on success, 1 when a step failed, 2 on bad usage.
#include <windows.h>
// windows.h first: objbase.h relies on its types.
#include <objbase.h>

#include <cstdio>

#include "installer/setup_actions.h"
#include "installer/setup_command.h"
#include "installer/setup_system_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto command = setup::ParseCommand(setup::SplitArguments(GetCommandLineW()));
    if (!command) {
        std::fwprintf(stderr, L"%ls", setup::kUsage);
        return 2;
    }
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    setup::Win32SetupSystem system;
    const bool ok = setup::RunCommand(system, *command);
    if (com) CoUninitialize();
    return ok ? 0 : 1;
}
