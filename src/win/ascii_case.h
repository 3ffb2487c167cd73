// Comparing names without regard to case for ASCII letters only, as the platform
// compares driver names, profile names and paths here; every other byte compares
// as it is.
#pragma once

#include <string_view>

namespace win {

namespace detail {
template <typename Char>
Char FoldAscii(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

template <typename Char>
bool EqualsFolded(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}
}  // namespace detail

inline char FoldAsciiCase(char c) {
    return detail::FoldAscii(c);
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return detail::EqualsFolded(a, b);
}

// Wide names (the setup helper's file and queue names) follow the same rule.
inline bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    return detail::EqualsFolded(a, b);
}

}  // namespace win
