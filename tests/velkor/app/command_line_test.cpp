#include "velkor/app/command_line.h"

#include <gtest/gtest.h>

#include "rules/unit_choice.h"
#include "tests/fakes/fake_locale.h"

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string line;
    Args expected;
};

TEST(SplitCommandLine, FollowsTheParseRules) {
    const SplitCase cases[] = {
        {"quoted name with spaces", "\"Ostrel LM-520 Office\" /m", {"Ostrel LM-520 Office", "/m"}},
        {"unquoted name splits at the space", "Ostrel LM-520 /m", {"Ostrel", "LM-520", "/m"}},
        {"quoted second argument after a quoted one keeps its quotes",
         "\"Ostrel LM-520\" \"/m\"",
         {"Ostrel LM-520", "\"/m\""}},
        {"quoted second argument right after an unquoted one loses them",
         "Label \"/m\"",
         {"Label", "/m"}},
        {"empty line", "", {}},
        {"white space only", " \t\r\n ", {}},
        {"a pair of quotes", "\"\"", {}},
        {"quotes around blanks", "\"   \" /m", {}},
        {"several quotes are skipped", "\"\"\"Label\" i", {"Label", "i"}},
        {"unclosed quote runs to the end", "\"Label one", {"Label one"}},
        {"surrounding white space trimmed", "  \t Label   /i \r\n", {"Label", "/i"}},
        {"several spaces between arguments", "Label     m", {"Label", "m"}},
        {"white space inside quotes trimmed", "\" Label \" i", {"Label", "i"}},
        {"tab does not split", "Label\tm", {"Label\tm"}},
        {"further arguments kept", "a b c", {"a", "b", "c"}},
        {"quote inside an unquoted argument", "La\"bel m", {"La\"bel", "m"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::SplitCommandLine(c.line), c.expected) << c.name;
    }
}

TEST(SplitCommandLine, HandlesAThirtyTwoKilobyteLine) {
    const std::string longName(32 * 1024 - 3, 'p');
    EXPECT_EQ(app::SplitCommandLine("\"" + longName + "\""), Args{longName});

    std::string manyWords;
    for (int i = 0; i < 16 * 1024; ++i) manyWords += "a ";
    const auto words = app::SplitCommandLine(manyWords);
    ASSERT_EQ(words.size(), 16u * 1024u);
    EXPECT_EQ(words.back(), "a");
}

struct UnitCase {
    std::optional<std::string_view> argument;
    std::optional<std::string> measurement;
    bool inches;
};

TEST(ChooseInchUnits, SwitchesWinOverTheLocale) {
    const UnitCase cases[] = {
        {"/i", "0", true},         {"i", "0", true},
        {"/m", "1", false},        {"m", "1", false},
        {"/M", "1", true},  // exact case: the locale decides
        {"/I", "0", false},        {"\"/m\"", "1", true},
        {"mm", "0", false},        {std::nullopt, "0", false},
        {std::nullopt, "1", true}, {std::nullopt, std::nullopt, true},  // failing query: inches
        {std::nullopt, "2", true}, {"", "0", false},
    };
    for (const auto& c : cases) {
        fakes::FakeLocale locale;
        locale.measurementSystem = c.measurement;
        EXPECT_EQ(rules::ChooseInchUnits(c.argument, locale), c.inches)
            << (c.argument ? *c.argument : "(none)") << " / " << c.measurement.value_or("(fails)");
    }
}

}  // namespace
