#include "family/file_beside.h"

namespace family {

bool IsBareName(std::string_view name) {
    return name.find_first_of("\\/:") == std::string_view::npos;
}

std::optional<std::string> FileBeside(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::nullopt;
    return std::string(folder) + "\\" + std::string(name);
}

}  // namespace family
