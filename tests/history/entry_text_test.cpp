// How the history names its entries to the user: the language module's strings
// filled with the subject, the user's date and time formats, the damage mark.
#include "history/entry_text.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_locale.h"
#include "tests/support/headless.h"

namespace {

using Kind = paperset::ChangeDescription::Kind;

struct EntryTextTest : ::testing::Test {
    win::headless::HeadlessUi ui;
    fakes::FakeLocale locale;
    history::EntryTexts texts{ui, locale};
};

TEST_F(EntryTextTest, EachKindOfChangeHasItsText) {
    const std::pair<paperset::ChangeDescription, const char*> cases[] = {
        {{Kind::Added, "Roll 58"}, "added 'Roll 58'"},
        {{Kind::Overwritten, "Wider"}, "changed 'Wider'"},
        {{Kind::Deleted, "100% of it"}, "deleted '100% of it'"},
        {{Kind::Imported, "set510.txt"}, "imported set510.txt"},
        // A restore names the restored entry by the time it was kept.
        {{Kind::Restored, "000007-20240611-090502"}, "restored the set of 11.06.2024 09:05:02"},
        {{Kind::Restored, "not an entry name"}, "restored the set of not an entry name"},
    };
    for (const auto& [change, text] : cases) EXPECT_EQ(texts.Change(change), text) << text;
}

TEST_F(EntryTextTest, LinesShowWhenWhatAndHowManyAndTheDamage) {
    history::Entry entry;
    entry.kept = {2024, 6, 12, 14, 30, 5};
    entry.change = paperset::ChangeDescription{Kind::Deleted, "U0 mm"};
    for (const auto& [count, line] : std::vector<std::pair<int, std::string>>{
             {0, "12.06.2024 14:30:05, deleted 'U0 mm', 0 papers"},
             {1, "12.06.2024 14:30:05, deleted 'U0 mm', 1 paper"},
             {12, "12.06.2024 14:30:05, deleted 'U0 mm', 12 papers"}}) {
        entry.paperCount = count;
        EXPECT_EQ(texts.Line(entry), line);
    }
    EXPECT_EQ(texts.Name(entry), "12.06.2024 14:30:05, deleted 'U0 mm'");
    entry.damaged = true;
    EXPECT_EQ(texts.Line(entry),
              "12.06.2024 14:30:05, deleted 'U0 mm', 12 papers, damaged, cannot be restored");
    entry.change.reset();  // a description that does not read
    EXPECT_EQ(texts.Line(entry), "12.06.2024 14:30:05, damaged, cannot be restored");
}

TEST_F(EntryTextTest, ATimeTheLocaleCannotFormatIsShownAsKept) {
    locale.formatFails = true;
    EXPECT_EQ(texts.When({2024, 6, 12, 14, 30, 5}), "2024-06-12 14:30:05");
}

}  // namespace
