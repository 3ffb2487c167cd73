// The system's ANSI code page, in which a paper-table source and the compiled
// table's texts are written. Under Win32 the system's own; elsewhere (the native
// tests) Windows-1252, the code page of the test systems.
#pragma once

#include <string>
#include <string_view>

namespace family {

// Every byte converted; a byte the code page leaves undefined becomes the code
// point of the same number.
std::u16string AnsiToUtf16(std::string_view ansi);

// A character the code page cannot hold becomes "?" (or its nearest fit, as the
// system chooses).
std::string Utf16ToAnsi(std::u16string_view text);

// True when `c` starts a double-byte character.
bool IsAnsiLeadByte(char c);

}  // namespace family
