// A source file's bytes as the profile reading sees them: a file that starts with
// a UTF-8 or UTF-16 byte-order mark is converted to the ANSI code page first; any
// other file is taken as ANSI text already.
#pragma once

#include <string>
#include <string_view>

namespace family {

std::string SourceBytesInAnsi(std::string_view bytes);

}  // namespace family
