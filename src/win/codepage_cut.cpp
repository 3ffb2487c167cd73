#include "win/codepage.h"

namespace win {

std::string CutAnsiText(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t end = 0;
    while (end < maxBytes) {
        const size_t step = IsLeadByte(text[end]) ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

}  // namespace win
