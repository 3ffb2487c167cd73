// Conversions between the ANSI code page and UTF-16 with explicit capacities.
// Under Win32 they use the system's ANSI code page; elsewhere (native tests)
// Windows-1252, the code page of the test systems.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace win {

// Converts `ansi` into `out`, terminator included. Fails (out set to empty) when the
// text with its terminator does not fit.
bool AnsiToWide(std::string_view ansi, std::span<char16_t> out);
// Converts the terminated UTF-16 text `wide` (at most wide.size() units) to ANSI;
// nullopt when the result with its terminator exceeds `capacityBytes`.
std::optional<std::string> WideToAnsi(std::span<const char16_t> wide, size_t capacityBytes);
// True when `c` is the lead byte of a double-byte character in the ANSI code page.
bool IsLeadByte(char c);
// `text` cut to at most `maxBytes` bytes by whole characters: never inside a
// double-byte character.
std::string CutAnsiText(std::string_view text, size_t maxBytes);

}  // namespace win
