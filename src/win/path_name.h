// The parts of a Windows path: the name it ends in and the folder that holds it.
#pragma once

#include <string>

namespace win {

// What follows the path's last "\", "/" or ":"; the whole path when it has none.
inline std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What precedes the path's last "\", "/" or ":" (no trailing separator); empty when
// it has none.
inline std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace win
