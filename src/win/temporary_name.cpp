#include "win/temporary_name.h"

#include <cstdio>

namespace win {

std::string TemporarySiblingName(std::string_view path, uint32_t tag) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(tag));
    return std::string(path) + suffix;
}

}  // namespace win
