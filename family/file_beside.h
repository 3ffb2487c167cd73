// Files the tools take from their own folder and never from anywhere else: the
// converter's paper-table library, and a table the library is given by bare name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace family {

// A name without a folder: no "\", "/" or ":".
bool IsBareName(std::string_view name);

// `folder` + "\" + `name`; nullopt when the folder is not known (empty), so that
// the file is never looked for at the root of a drive.
std::optional<std::string> FileBeside(std::string_view folder, std::string_view name);

}  // namespace family
