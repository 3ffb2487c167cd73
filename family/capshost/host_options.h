// Command line of kvx610host.exe.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace capshost {

struct HostOptions {
    std::string library;        // empty: <driver directory>\3\kvx610f.dll
    int deviceDpi = 203;        // the resolution the doubling options start from
    bool doubleX = false;       // dmPrintQuality = 2 x deviceDpi
    bool doubleY = false;       // dmYResolution = 2 x deviceDpi
    bool turned = false;        // set the turned flag in the private part
    bool nullDevMode = false;   // pass no DEVMODEA at all
    int driverExtra = 32;       // dmDriverExtra
    std::optional<int> dmSize;  // dmSize; default sizeof(DEVMODEA)
    bool help = false;
};

// Parses the arguments after the program name; on failure returns nothing and puts
// the reason into `error`.
std::optional<HostOptions> ParseHostOptions(const std::vector<std::string>& args,
                                            std::string& error);

extern const char kHostUsage[];

}  // namespace capshost
