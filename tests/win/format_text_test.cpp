#include "win/format_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatText, OneStringArgumentAndNothingElse) {
    struct Case {
        const char* format;
        const char* argument;
        const char* expected;
    };
    const Case cases[] = {
        {"Delete '%s'?", "A4", "Delete 'A4'?"},
        {"%s", "x", "x"},
        {"no argument", "x", "no argument"},
        {"%s and %s", "a", "a and %s"},  // only the first is filled
        {"50%% of %s", "b", "50% of b"},
        {"%d %n %s", "c", "%d %n c"},  // other conversions stay text
        {"trailing %", "d", "trailing %"},
        {"%s", "100%s", "100%s"},  // the argument is not formatted again
        {"", "e", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win::FormatText(c.format, c.argument), c.expected) << c.format;
    }
}

}  // namespace
