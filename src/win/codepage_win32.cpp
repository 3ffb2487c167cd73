#include <windows.h>

#include "win/codepage.h"

namespace win {

bool AnsiToWide(std::string_view ansi, std::span<char16_t> out) {
    if (out.empty()) return false;
    std::string terminated(ansi.substr(0, ansi.find('\0')));
    const int written =
        MultiByteToWideChar(CP_ACP, 0, terminated.c_str(), -1,
                            reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
    if (written == 0) {
        out[0] = 0;
        return false;
    }
    return true;
}

std::optional<std::string> WideToAnsi(std::span<const char16_t> wide, size_t capacityBytes) {
    // A zero size would make the call report the size it needs instead of converting.
    if (capacityBytes == 0) return std::nullopt;
    std::u16string terminated;
    for (char16_t unit : wide) {
        if (unit == 0) break;
        terminated.push_back(unit);
    }
    std::string buffer(capacityBytes, '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(terminated.c_str()), -1,
                            buffer.data(), static_cast<int>(capacityBytes), nullptr, nullptr);
    if (written == 0) return std::nullopt;
    buffer.resize(static_cast<size_t>(written) - 1);
    return buffer;
}

bool IsLeadByte(char c) {
    return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0;
}

}  // namespace win
