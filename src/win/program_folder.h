#pragma once

#include <optional>
#include <string>

#include "win/path_name.h"
#include "win/services.h"

namespace win {

// The folder of the running program: its full path cut at the last "\", "/" or
// ":" (no trailing separator). nullopt when the path cannot be obtained or is empty.
inline std::optional<std::string> ProgramFolder(FileSystem& files) {
    auto path = files.ProgramPath();
    if (!path || path->empty()) return std::nullopt;
    return FolderOf(*path);
}

}  // namespace win
