// velkorctl.exe: a console program, so it opens no window and shows no message
// box. Everything after the platform set-up is velkorctl::Run.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "velkorctl/no_window_processes.h"
#include "velkorctl/run.h"
#include "win/win32_services.h"
#include "win/win32_strings.h"

int main(int argc, char** argv) {
    // No system box for a missing disk, a crash or a file that cannot be opened.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);

    win::Win32Services platform;
    velkorctl::NoWindowProcesses processes(platform.processes);
    const win::Services services{platform.spooler, platform.locale,   platform.files,
                                 processes,        platform.instance, platform.clock};
    velkorctl::Environment environment{
        services,
        [](const std::string& path) -> std::unique_ptr<win::Strings> {
            // Loaded for the whole run and never unloaded, as velkor does.
            HMODULE module = LoadLibraryA(path.c_str());
            if (module == nullptr) return nullptr;
            return std::make_unique<win::Win32Strings>(module);
        },
        std::cout, std::cerr};
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int code = velkorctl::Run(arguments, environment);
    std::cout.flush();
    return code;
}
