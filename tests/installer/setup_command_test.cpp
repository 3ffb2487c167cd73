#include "installer/setup_command.h"

#include <gtest/gtest.h>

namespace {

using setup::Action;
using Args = std::vector<std::wstring>;

TEST(SetupCommand, SplitsTheArgumentsAfterTheProgramName) {
    struct Case {
        const wchar_t* line;
        Args expected;
    };
    const Case cases[] = {
        // The package's own form: quoted folders that end in a backslash.
        {LR"("C:\Program Files\Mertavo\velkorsetup.exe" links "C:\Menu\Mertavo\" "A;B")",
         {L"links", LR"(C:\Menu\Mertavo\)", L"A;B"}},
        {LR"(velkorsetup.exe unlinks C:\Menu)", {L"unlinks", LR"(C:\Menu)"}},
        {LR"(velkorsetup links "C:\Menu" "")", {L"links", LR"(C:\Menu)", L""}},
        {L"  velkorsetup\tuser-sources  a   b  ", {L"user-sources", L"a", L"b"}},
        {LR"(velkorsetup links "C:\Menu" "Ostrel LM-510)",
         {L"links", LR"(C:\Menu)", L"Ostrel LM-510"}},
        {L"velkorsetup", {}},
        {L"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(setup::SplitArguments(c.line), c.expected) << c.line;
}

TEST(SetupCommand, ParsesEachActionWithItsArguments) {
    struct Case {
        Args arguments;
        Action action;
        const wchar_t* folder;
        const wchar_t* other;
    };
    const Case cases[] = {
        {{L"links", L"C:\\Menu", L"A;B"}, Action::Links, L"C:\\Menu", L"A;B"},
        {{L"links", L"C:\\Menu", L""}, Action::Links, L"C:\\Menu", L""},
        {{L"unlinks", L"C:\\Menu"}, Action::Unlinks, L"C:\\Menu", L""},
        {{L"user-sources", L"T", L"D"}, Action::UserSources, L"T", L"D"},
    };
    for (const Case& c : cases) {
        const auto command = setup::ParseCommand(c.arguments);
        ASSERT_TRUE(command) << c.arguments[0];
        EXPECT_EQ(command->action, c.action);
        EXPECT_EQ(command->folder, c.folder);
        EXPECT_EQ(command->other, c.other);
    }
}

TEST(SetupCommand, RefusesUnknownActionsAndWrongArgumentCounts) {
    const Args bad[] = {
        {},
        {L"links", L"C:\\Menu"},
        {L"links", L"C:\\Menu", L"A", L"B"},
        {L"unlinks"},
        {L"unlinks", L"C:\\Menu", L"A"},
        {L"user-sources", L"T"},
        {L"LINKS", L"C:\\Menu", L"A"},
        {L"install", L"C:\\Menu", L"A"},
    };
    for (const Args& arguments : bad) EXPECT_FALSE(setup::ParseCommand(arguments));
}

}  // namespace
