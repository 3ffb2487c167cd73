#include "family/reserved_items.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace family {
namespace {

bool IsCWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string_view ReservedItemText(std::string_view reserved, int index) {
    std::string_view rest = reserved.substr(0, kReservedExaminedChars);
    for (int i = 0; i < index; ++i) {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return {};
        rest.remove_prefix(comma + 1);
    }
    return rest.substr(0, rest.find(','));
}

int ReservedItem(std::string_view reserved, int index) {
    std::string_view text = ReservedItemText(reserved, index);
    while (!text.empty() && IsCWhiteSpace(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits past the range of int leave the value at its end.
    const int64_t limit = negative ? -int64_t{INT_MIN} : int64_t{INT_MAX};
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        magnitude = std::min(magnitude * 10 + (c - '0'), limit);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace family
