#include "family/capshost/host_options.h"

#include <charconv>

namespace capshost {

const char kHostUsage[] =
    "usage: kvx610host [options]\n"
    "  --library PATH     load this kvx610f.dll instead of the driver folder's\n"
    "  --dpi N            device resolution the doubling options start from (203)\n"
    "  --double-x         dmPrintQuality twice the device resolution\n"
    "  --double-y         dmYResolution twice the device resolution\n"
    "  --turned           set the turned flag (0x00100000) in the driver-private part\n"
    "  --null-devmode     ask without a DEVMODEA\n"
    "  --driver-extra N   dmDriverExtra, 0 to 4096 (32)\n"
    "  --dm-size N        dmSize, 0 to 4096 (the size of the public part, 156)\n"
    "  --help             this text\n";

namespace {

bool ParseInt(const std::string& text, int low, int high, int& out) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

}  // namespace

std::optional<HostOptions> ParseHostOptions(const std::vector<std::string>& args,
                                            std::string& error) {
    HostOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        auto number = [&](int low, int high, int& out) {
            const std::string* text = value();
            if (text == nullptr) return false;
            if (!ParseInt(*text, low, high, out)) {
                error = arg + ": " + *text + " is not a number from " + std::to_string(low) +
                        " to " + std::to_string(high);
                return false;
            }
            return true;
        };
        if (arg == "--library") {
            const std::string* text = value();
            if (text == nullptr) return std::nullopt;
            options.library = *text;
        } else if (arg == "--dpi") {
            if (!number(1, 16000, options.deviceDpi)) return std::nullopt;
        } else if (arg == "--double-x") {
            options.doubleX = true;
        } else if (arg == "--double-y") {
            options.doubleY = true;
        } else if (arg == "--turned") {
            options.turned = true;
        } else if (arg == "--null-devmode") {
            options.nullDevMode = true;
        } else if (arg == "--driver-extra") {
            if (!number(0, 4096, options.driverExtra)) return std::nullopt;
        } else if (arg == "--dm-size") {
            int size = 0;
            if (!number(0, 4096, size)) return std::nullopt;
            options.dmSize = size;
        } else if (arg == "--help" || arg == "-h" || arg == "/?") {
            options.help = true;
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace capshost
