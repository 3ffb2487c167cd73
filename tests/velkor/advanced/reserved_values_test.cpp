#include "velkor/advanced/reserved_values.h"

#include <gtest/gtest.h>

namespace {

using advanced::FormatReserved;
using advanced::ParseReserved;

TEST(ReservedValues, ReadAndRewrittenAsTwelve) {
    const struct {
        const char* name;
        const char* text;
        const char* rewritten;
    } cases[] = {
        {"twelve", "12,0,240,255,24,0,2,12,0,-1,2,0", "12,0,240,255,24,0,2,12,0,-1,2,0"},
        {"fewer keep 0", "12,0,0,0,0,0,1", "12,0,0,0,0,0,1,0,0,0,0,0"},
        {"empty text", "", "0,0,0,0,0,0,0,0,0,0,0,0"},
        {"more keep the first twelve", "1,2,3,4,5,6,7,8,9,10,11,12,13,14",
         "1,2,3,4,5,6,7,8,9,10,11,12"},
        {"empty items keep their places", ",3,,5", "0,3,0,5,0,0,0,0,0,0,0,0"},
        {"blanks and signs", " 7,+2,-2", "7,2,-2,0,0,0,0,0,0,0,0,0"},
        {"not a number", "x,1", "0,1,0,0,0,0,0,0,0,0,0,0"},
        {"kept to 16 bits", "70000,-32768,32767", "4464,-32768,32767,0,0,0,0,0,0,0,0,0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatReserved(ParseReserved(c.text)), c.rewritten) << c.name;
    }
}

TEST(ReservedValues, LongTextReadToTheTwelfthItem) {
    // Items far beyond the first hundred characters still keep their values.
    std::string text;
    for (int i = 0; i < 12; ++i) text += (i ? ",0000000" : "0000000") + std::to_string(i + 1);
    ASSERT_GT(text.size(), 100u);
    EXPECT_EQ(FormatReserved(ParseReserved(text)), "1,2,3,4,5,6,7,8,9,10,11,12");
}

}  // namespace
