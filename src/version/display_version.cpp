#include "version/display_version.h"

#include <cstdio>

namespace version {

std::string DisplayVersion(unsigned major, unsigned minor, unsigned patch) {
    char text[32];
    if (patch == 0)
        std::snprintf(text, sizeof text, "%u.%02u", major, minor);
    else
        std::snprintf(text, sizeof text, "%u.%02u.%u", major, minor, patch);
    return text;
}

}  // namespace version
