// The platform's reading of an integer key's text: blanks and control characters
// skipped, one sign, a "0x", "0o" or "0b" prefix (lower case only), then the digits
// of that base up to the first character that is not one, in 32 bits with
// wrap-around. The profile reading hands it at most the first 29 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace family {

// The read goes through a text buffer of this size, terminator included.
inline constexpr size_t kIntegerTextBytes = 30;

struct SourceInteger {
    uint32_t value = 0;
    size_t digits = 0;     // digits read after the prefix; 0 when the text is no number
    size_t end = 0;        // one past the last digit read; 0 when the text is no number
    bool wrapped = false;  // the digits gave more than 32 bits
};

SourceInteger ParseSourceInteger(std::string_view text);

}  // namespace family
