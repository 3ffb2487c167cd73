#include "velkor/editor/number_field.h"

#include <gtest/gtest.h>

namespace {

using editor::FilterInput;

struct FilterCase {
    const char* name;
    const char* oldText;
    const char* newText;
    win::TextSelection caret;
    bool inch;
    bool isSigned;
    char separator;
    const char* kept;
    win::TextSelection keptCaret;
    bool labelRefreshed;
};

TEST(NumberFieldFilter, Cases) {
    const FilterCase cases[] = {
        {"seventh character",
         "1234.5",
         "1234.56",
         {7, 7},
         false,
         false,
         '.',
         "1234.5",
         {6, 6},
         false},
        {"one decimal in mm", "12.", "12.3", {4, 4}, false, false, '.', "12.3", {4, 4}, true},
        {"two decimals in mm", "12.3", "12.34", {5, 5}, false, false, '.', "12.3", {4, 4}, true},
        {"two decimals in inch", "1.2", "1.23", {4, 4}, true, false, '.', "1.23", {4, 4}, true},
        {"three decimals in inch", "1.23", "1.234", {5, 5}, true, false, '.', "1.23", {4, 4}, true},
        {"upper bound", "9999.", "9999.9", {6, 6}, false, false, '.', "9999.9", {6, 6}, true},
        {"above upper bound", "1000", "10000", {5, 5}, false, false, '.', "1000", {5, 5}, true},
        {"letter", "12", "12a", {3, 3}, false, false, '.', "12", {2, 2}, true},
        {"blank", "12", "1 2", {2, 2}, false, false, '.', "12", {1, 1}, true},
        {"second separator", "1.2", "1.2.", {4, 4}, false, false, '.', "1.2", {3, 3}, true},
        {"dot with comma separator", "12", "12.", {3, 3}, false, false, ',', "12", {2, 2}, true},
        {"comma separator", "12", "12,5", {4, 4}, false, false, ',', "12,5", {4, 4}, true},
        {"comma two decimals", "12,5", "12,55", {5, 5}, false, false, ',', "12,5", {4, 4}, true},
        {"minus unsigned", "3", "-3", {1, 1}, false, false, '.', "3", {0, 0}, true},
        {"minus signed", "3.0", "-3.0", {1, 1}, false, true, '.', "-3.0", {1, 1}, true},
        {"minus not first", "3", "3-", {2, 2}, false, true, '.', "3", {1, 1}, true},
        {"signed lower bound",
         "-999.9",
         "-9999.9",
         {2, 2},
         false,
         true,
         '.',
         "-999.9",
         {1, 1},
         false},
        {"signed below bound", "-1000", "-10000", {6, 6}, false, true, '.', "-1000", {6, 6}, true},
        {"emptied field", "5", "", {0, 0}, false, false, '.', "", {0, 0}, true},
        {"caret at start", "5", "x5", {0, 0}, false, false, '.', "5", {0, 0}, true},
        // With "," only the integer part is read for the bound.
        {"comma bound", "9999", "9999,9", {6, 6}, false, false, ',', "9999,9", {6, 6}, true},
    };
    for (const auto& c : cases) {
        FilterInput input{c.oldText, c.newText, c.caret, c.inch, c.isSigned, c.separator};
        const auto result = editor::NumberFieldFilter(input);
        EXPECT_EQ(result.text, c.kept) << c.name;
        EXPECT_EQ(result.selection, c.keptCaret) << c.name;
        EXPECT_EQ(result.label.has_value(), c.labelRefreshed) << c.name;
        if (result.label) {
            EXPECT_EQ(*result.label, std::string(c.kept) + (c.inch ? " \"" : " mm")) << c.name;
        }
    }
}

TEST(SpinSteps, HeldAtTheirLimits) {
    struct Case {
        bool up;
        const char* text;
        double limitMm;
        bool inch;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {true, "2,5", 1000.0, false, ',', "2,6"},
        {true, "63.0", 63.0, false, '.', "63.0"},
        {true, "62.9", 63.0, false, '.', "63.0"},
        {false, "11.9", 11.9, false, '.', "11.9"},
        {false, "-999,9", -1000.0, false, ',', "-1000,0"},
        {false, "-1000,0", -1000.0, false, ',', "-1000,0"},
        {true, "", 1000.0, false, '.', "0.1"},
        {true, "", 0.0, false, '.', "0.0"},
        {true, "2.47", 63.0, true, '.', "2.48"},
        {true, "2.48", 63.0, true, '.', "2.48"},
        {false, "0.47", 11.9, true, '.', "0.47"},
        {false, "0,50", 0.0, true, ',', "0,49"},
        {false, "0.00", 0.0, true, '.', "0.00"},
    };
    for (const auto& c : cases) {
        const std::string result = c.up ? editor::StepUp(c.text, c.limitMm, c.inch, c.separator)
                                        : editor::StepDown(c.text, c.limitMm, c.inch, c.separator);
        EXPECT_EQ(result, c.expected) << (c.up ? "up " : "down ") << c.text;
    }
}

}  // namespace
