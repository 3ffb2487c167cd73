// File reading and all-or-nothing writing for the family's tools.
#pragma once

#include <optional>
#include <string>

namespace family {

std::optional<std::string> ReadWholeFile(const std::string& path);
// Writes a temporary file beside `path` and moves it over `path` only when every
// byte was written; on failure `path` is untouched and the temporary file removed.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);
// Removes `path`; true once no file of that name is left (none was there counts).
// A file another program holds open for a moment, as a virus scanner or an indexer
// may, is tried again for about two seconds, and so is a deletion the system keeps
// pending until that program closes it. On false, `error` is the system's code.
bool RemoveFile(const std::string& path, unsigned long* error = nullptr);
// The folder of a module (no trailing separator); empty when it cannot be found.
std::string ModuleFolder(void* module);

}  // namespace family
