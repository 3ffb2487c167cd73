// Windows-1252, the ANSI code page of the systems the native tests stand in for.
#include "win/codepage.h"

#include <array>

namespace win {
namespace {

// Unicode values of bytes 0x80 to 0x9F; 0 marks the five unassigned bytes, which
// the platform maps to the same code point.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToWide(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
    return byte;
}

char ToAnsi(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
    }
    if (unit >= 0x80 && unit <= 0x9F) return static_cast<char>(unit);
    return '?';  // the platform's default character
}

}  // namespace

bool AnsiToWide(std::string_view ansi, std::span<char16_t> out) {
    if (out.empty()) return false;
    size_t length = ansi.find('\0');
    if (length == std::string_view::npos) length = ansi.size();
    if (length + 1 > out.size()) {
        out[0] = 0;
        return false;
    }
    for (size_t i = 0; i < length; ++i) out[i] = ToWide(static_cast<unsigned char>(ansi[i]));
    out[length] = 0;
    return true;
}

std::optional<std::string> WideToAnsi(std::span<const char16_t> wide, size_t capacityBytes) {
    std::string result;
    for (char16_t unit : wide) {
        if (unit == 0) break;
        result.push_back(ToAnsi(unit));
    }
    if (result.size() + 1 > capacityBytes) return std::nullopt;
    return result;
}

bool IsLeadByte(char) {
    return false;
}

}  // namespace win
