#include "velkor/advanced/offsets.h"

#include <gtest/gtest.h>

namespace {

using advanced::FilterOffset;
using advanced::OffsetDots;
using advanced::OffsetLimit;
using advanced::OffsetRangeText;
using advanced::OffsetText;
using advanced::StepOffset;

TEST(Offsets, TextFromDots) {
    const struct {
        int dots;
        int resolution;
        bool inch;
        char separator;
        const char* text;
    } cases[] = {
        {8, 203, false, '.', "1.0"},     // 1.0009 mm
        {-8, 203, false, '.', "-1.0"},   // half away from zero on both sides
        {40, 300, false, '.', "3.4"},    // 3.387 mm
        {40, 300, true, '.', "0.13"},    // 0.1333 in
        {-40, 300, true, ',', "-0,13"},  // separator applied
        {0, 203, false, '.', "0.0"},    {1199, 203, false, '.', "150.0"},
        {12, 0, false, '.', "0.0"},  // no resolution: nothing to divide by
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OffsetText(c.dots, c.resolution, c.inch, c.separator), c.text)
            << c.dots << " dots at " << c.resolution;
    }
}

TEST(Offsets, RangeTextsAndLimits) {
    EXPECT_EQ(OffsetRangeText(false, '.'), "[ -150.0 - 150.0 ]");
    EXPECT_EQ(OffsetRangeText(true, '.'), "[ -5.91 - 5.91 ]");
    EXPECT_EQ(OffsetRangeText(false, ','), "[ -150,0 - 150,0 ]");
    EXPECT_EQ(OffsetLimit(false), 150000);
    EXPECT_EQ(OffsetLimit(true), 5910);
}

TEST(Offsets, DotsFromThousandths) {
    EXPECT_EQ(OffsetDots(1000, 203, false), 8);
    EXPECT_EQ(OffsetDots(150000, 203, false), 1199);
    EXPECT_EQ(OffsetDots(-150000, 203, false), -1199);
    EXPECT_EQ(OffsetDots(150000, 300, false), 1772);  // fits the 16-bit field
    EXPECT_EQ(OffsetDots(5910, 300, true), 1773);
    EXPECT_EQ(OffsetDots(-130, 300, true), -39);
}

struct FilterCase {
    const char* name;
    bool inch;
    char separator;
    const char* oldText;
    const char* newText;
    const char* kept;
    bool caretMoved;
};

TEST(Offsets, TypingFilter) {
    const FilterCase cases[] = {
        {"one decimal in mm", false, '.', "1.2", "1.23", "1.2", true},
        {"two decimals in inches", true, '.', "1.2", "1.23", "1.23", false},
        {"three decimals in inches", true, '.', "1.23", "1.234", "1.23", true},
        {"double minus", false, '.', "-1", "--1", "-1", true},
        {"minus after a digit", false, '.', "1", "1-", "1", true},
        {"second separator", false, '.', "1.2", "1.2.3", "1.2", true},
        {"letter", false, '.', "1", "a", "1", true},
        {"lone minus", false, '.', "", "-", "-", false},
        {"seven characters", false, '.', "-000.1", "-0000.1", "-000.1", true},
        {"upper typing limit", false, '.', "999.", "999.9", "999.9", false},
        {"above the typing limit", false, '.', "100", "1000", "100", false},
        {"below the typing limit", false, '.', "-100", "-1000", "-100", false},
        {"lower typing limit", false, '.', "-999.", "-999.9", "-999.9", false},
        {"comma separator", false, ',', "1", "1,5", "1,5", false},
        {"point with a comma separator", false, ',', "1", "1.5", "1", true},
    };
    for (const auto& c : cases) {
        const int caret = static_cast<int>(std::string_view(c.newText).size());
        const auto result = FilterOffset(c.oldText, c.newText, {caret, caret}, c.inch, c.separator);
        EXPECT_EQ(result.text, c.kept) << c.name;
        const int expectedCaret = c.caretMoved ? caret - 1 : caret;
        EXPECT_EQ(result.selection, (win::TextSelection{expectedCaret, expectedCaret})) << c.name;
        ASSERT_TRUE(result.label.has_value()) << c.name;
        EXPECT_EQ(*result.label, std::string(c.kept) + (c.inch ? " \"" : " mm")) << c.name;
    }
}

TEST(Offsets, SpinStepsHeldAt150Millimetres) {
    const struct {
        const char* text;
        bool up;
        bool inch;
        char separator;
        const char* stepped;
    } cases[] = {
        {"149.9", true, false, '.', "150.0"},    {"150.0", true, false, '.', "150.0"},
        {"-150.0", false, false, '.', "-150.0"}, {"-149.9", false, false, '.', "-150.0"},
        {"0.0", false, false, '.', "-0.1"},      {"", true, false, '.', "0.1"},
        {"-", true, false, '.', "0.1"},          {"5.90", true, true, '.', "5.91"},
        {"5.91", true, true, '.', "5.91"},  // 150 / 25.4 = 5.9055
        {"-5.91", false, true, '.', "-5.91"},    {"2,5", true, false, ',', "2,6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepOffset(c.text, c.up, c.inch, c.separator), c.stepped)
            << c.text << (c.up ? " up" : " down");
    }
}

}  // namespace
