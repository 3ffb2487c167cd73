// The platform's integer reading as the compiler's reader applies it, with what it
// passed over: the compiler's warnings are worded from digits, end and wrapped.
#include "family/source_integer.h"

#include <gtest/gtest.h>

namespace family {
namespace {

TEST(SourceInteger, ReadsSignPrefixAndDigitsAndTellsWhatItPassedOver) {
    struct Case {
        const char* text;
        uint32_t value;
        size_t digits;
        size_t end;
        bool wrapped;
    };
    const Case cases[] = {
        {"75", 75, 2, 2, false},
        {"", 0, 0, 0, false},
        {"abc", 0, 0, 0, false},
        {" \t-5", 0u - 5, 1, 4, false},
        {"\001\0377", 7, 1, 3, false},  // 0x01 and 0x1F: control characters count as blanks
        {"+7", 7, 1, 2, false},
        {"- 7", 0, 0, 0, false},  // blanks only before the sign
        {"--7", 0, 0, 0, false},
        {"12abc", 12, 2, 2, false},
        {"0x4b", 0x4b, 2, 4, false},
        {"0x4Bz", 0x4b, 2, 4, false},
        {"-0x10", 0u - 16, 2, 5, false},
        {"0X10", 0, 1, 1, false},  // an upper-case prefix is none
        {"0x", 0, 0, 0, false},
        {"0xg", 0, 0, 0, false},
        {"0o17", 15, 2, 4, false},
        {"0o8", 0, 0, 0, false},
        {"0b101", 5, 3, 5, false},
        {"0b2", 0, 0, 0, false},
        {"0", 0, 1, 1, false},
        {"007", 7, 3, 3, false},
        {"4294967295", 0xFFFFFFFFu, 10, 10, false},
        {"4294967296", 0, 10, 10, true},
        {"4294967297", 1, 10, 10, true},
        {"-4294967297", 0xFFFFFFFFu, 10, 11, true},
        {"0xFFFFFFFF", 0xFFFFFFFFu, 8, 10, false},
        {"0x100000000", 0, 9, 11, true},
        {"99999999999", static_cast<uint32_t>(99999999999ull), 11, 11, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SourceInteger read = ParseSourceInteger(c.text);
        EXPECT_EQ(read.value, c.value);
        EXPECT_EQ(read.digits, c.digits);
        EXPECT_EQ(read.end, c.end);
        EXPECT_EQ(read.wrapped, c.wrapped);
    }
}

}  // namespace
}  // namespace family
