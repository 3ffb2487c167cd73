#include <windows.h>

#include "family/code_page.h"

namespace family {

std::u16string AnsiToUtf16(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::u16string out(static_cast<size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, reinterpret_cast<wchar_t*>(out.data()),
                        units);
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, size, out.data(), bytes, nullptr, nullptr);
    return out;
}

bool IsAnsiLeadByte(char c) {
    return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
}

}  // namespace family
