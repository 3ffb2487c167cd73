// Comparing names without regard to case for ASCII letters only, as the platform
// compares driver names, profile names and paths here; every other byte compares
// as it is.
#pragma once

#include <string_view>

namespace win {

inline char FoldAsciiCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    }
    return true;
}

}  // namespace win
