// File reading and all-or-nothing writing for the family's tools.
#pragma once

#include <optional>
#include <string>

namespace family {

std::optional<std::string> ReadWholeFile(const std::string& path);
// Writes a temporary file beside `path` and moves it over `path` only when every
// byte was written; on failure `path` is untouched and the temporary file removed.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);
// The folder of a module (no trailing separator); empty when it cannot be found.
std::string ModuleFolder(void* module);

}  // namespace family
