// The name a Windows path ends in.
#pragma once

#include <string>

namespace win {

// What follows the path's last "\", "/" or ":"; the whole path when it has none.
inline std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace win
