#include "family/source_integer.h"

namespace family {
namespace {

// The value of `c` as a digit of `base`; -1 when it is none.
int DigitValue(char c, uint32_t base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'z') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') value = c - 'A' + 10;
    return value >= 0 && static_cast<uint32_t>(value) < base ? value : -1;
}

}  // namespace

SourceInteger ParseSourceInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    SourceInteger read;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        const uint64_t next = uint64_t{read.value} * base + static_cast<uint32_t>(digit);
        read.wrapped = read.wrapped || next > UINT32_MAX;
        read.value = static_cast<uint32_t>(next);
        ++read.digits;
    }
    if (read.digits == 0) return {};
    read.end = i;
    if (negative) read.value = 0u - read.value;
    return read;
}

}  // namespace family
