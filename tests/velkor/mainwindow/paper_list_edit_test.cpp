#include "velkor/mainwindow/paper_list_edit.h"

#include <gtest/gtest.h>

#include <vector>

#include "win/codepage.h"

namespace {

using papertable::PaperRecord;
using papertable::PaperTable;

// A table whose papers carry the identifiers `ids`, in this order.
PaperTable TableWithIds(const std::vector<int>& ids) {
    PaperTable table;
    for (int id : ids) {
        auto& paper = table.papers[static_cast<size_t>(table.paperCount++)];
        paper.nPaperSize = static_cast<int16_t>(id);
        paper.nPaperWidth = static_cast<int16_t>(id);  // tells the papers apart
    }
    return table;
}

std::string Name(const papertable::WideText<papertable::kNameUnits>& name) {
    return win::WideToAnsi(name, 64).value_or("<unconvertible>");
}

TEST(FreePaperId, TakesTheSmallestUnusedUserIdentifier) {
    struct Case {
        std::vector<int> ids;
        std::optional<int16_t> expected;
    };
    std::vector<int> allUserIds;
    for (int id = 513; id <= 612; ++id) allUserIds.push_back(id);
    std::vector<int> allButLast(allUserIds.begin(), allUserIds.end() - 1);
    const Case cases[] = {
        {{}, 513},
        {{513, 514, 516}, 515},
        {{516, 514, 513}, 515},
        {{256, 257, 512, 613}, 513},  // built-in and out-of-range identifiers do not count
        {allButLast, 612},
        {allUserIds, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FreePaperId(TableWithIds(c.ids), static_cast<int>(c.ids.size())), c.expected)
            << c.ids.size() << " papers";
    }
}

TEST(FreePaperId, LooksOnlyAtThePapersInUse) {
    PaperTable table = TableWithIds({513, 514});
    table.papers[2].nPaperSize = 515;  // a slot beyond paperCount, e.g. left by a delete
    EXPECT_EQ(papertable::FreePaperId(table, table.paperCount), 515);
}

TEST(PrepareNewPaper, KeepsTheSelectedPapersValuesAndGivesANameAndAnIdentifier) {
    const PaperTable table = TableWithIds({256, 513, 514, 516});
    PaperRecord working = table.papers[0];
    working.builtIn = true;
    working.nType = 74;
    working.byEnergyRank = 7;
    working.dwPaperAbility01 = 0x11;
    working.reserved_12_ = "1,2,3";
    win::AnsiToWide("Built-in roll", working.szPaperName_mm);
    win::AnsiToWide("Built-in roll in", working.szPaperName_inch);
    PaperRecord expected = working;

    papertable::PrepareNewPaper(working, table, "New paper");

    EXPECT_FALSE(working.builtIn);
    EXPECT_EQ(Name(working.szPaperName_mm), "New paper");
    EXPECT_EQ(Name(working.szPaperName_inch), "New paper");
    EXPECT_EQ(working.nPaperSize, 515);
    // Everything else is carried through.
    expected.builtIn = false;
    expected.szPaperName_mm = working.szPaperName_mm;
    expected.szPaperName_inch = working.szPaperName_inch;
    expected.nPaperSize = 515;
    EXPECT_EQ(working, expected);
}

TEST(PrepareNewPaper, AFullSetOfIdentifiersLeavesTheCopiedOne) {
    std::vector<int> ids;
    for (int id = 513; id <= 612; ++id) ids.push_back(id);
    const PaperTable table = TableWithIds(ids);
    PaperRecord working = table.papers[41];
    papertable::PrepareNewPaper(working, table, "New paper");
    EXPECT_EQ(working.nPaperSize, 554);
    EXPECT_EQ(Name(working.szPaperName_mm), "New paper");
}

TEST(PrepareNewPaper, ALongNameIsCutTo31Units) {
    struct Case {
        std::string name;
        std::string expected;
    };
    const std::string exact(31, 'a');
    const Case cases[] = {
        {"", ""},
        {exact, exact},
        {exact + "bcd", exact},
        {std::string(200, 'x'), std::string(31, 'x')},
        {"Caf\xE9", "Caf\xE9"},  // Windows-1252 e acute: one unit
    };
    for (const auto& c : cases) {
        PaperRecord working;
        win::AnsiToWide("old name", working.szPaperName_inch);
        papertable::PrepareNewPaper(working, PaperTable{}, c.name);
        EXPECT_EQ(Name(working.szPaperName_mm), c.expected) << c.name;
        EXPECT_EQ(Name(working.szPaperName_inch), c.expected) << c.name;
        EXPECT_EQ(working.szPaperName_mm.back(), u'\0');
    }
}

TEST(AppendPaper, SetsTableFullAtTheHundredthPaperAndRefusesMore) {
    PaperTable table = TableWithIds(std::vector<int>(98, 256));
    PaperRecord paper;
    paper.nPaperSize = 600;
    ASSERT_TRUE(papertable::AppendPaper(table, paper));
    EXPECT_EQ(table.paperCount, 99);
    EXPECT_FALSE(table.tableFull);
    ASSERT_TRUE(papertable::AppendPaper(table, paper));
    EXPECT_EQ(table.paperCount, 100);
    EXPECT_TRUE(table.tableFull);
    EXPECT_EQ(table.papers[99], paper);
    EXPECT_FALSE(papertable::AppendPaper(table, paper));
    EXPECT_EQ(table.paperCount, 100);
    EXPECT_EQ(table.papers[100], PaperRecord{});
}

TEST(RemovePaper, ShiftsTheFollowingPapersAndNamesTheNextSelection) {
    struct Case {
        const char* what;
        std::vector<int> ids;
        int index;
        std::vector<int> left;
        int selected;
    };
    const Case cases[] = {
        {"last of five", {1, 2, 3, 4, 5}, 4, {1, 2, 3, 4}, 3},
        {"second of five", {1, 2, 3, 4, 5}, 1, {1, 3, 4, 5}, 1},
        {"first of five", {1, 2, 3, 4, 5}, 0, {2, 3, 4, 5}, 0},
        {"only paper", {1}, 0, {}, -1},
        {"no selection", {1, 2}, -1, {1, 2}, -1},
        {"beyond the table", {1, 2}, 2, {1, 2}, 2},
    };
    for (const auto& c : cases) {
        PaperTable table = TableWithIds(c.ids);
        EXPECT_EQ(papertable::RemovePaper(table, c.index), c.selected) << c.what;
        std::vector<int> left;
        for (int i = 0; i < table.paperCount; ++i)
            left.push_back(table.papers[static_cast<size_t>(i)].nPaperSize);
        EXPECT_EQ(left, c.left) << c.what;
        // The slot after the last paper holds no stale copy.
        EXPECT_EQ(table.papers[static_cast<size_t>(table.paperCount)], PaperRecord{}) << c.what;
    }
}

TEST(RemovePaper, FromAFullTableMovesTheLastPaper) {
    std::vector<int> ids;
    for (int id = 513; id <= 612; ++id) ids.push_back(id);
    PaperTable table = TableWithIds(ids);
    table.tableFull = true;
    EXPECT_EQ(papertable::RemovePaper(table, 50), 50);
    EXPECT_EQ(table.paperCount, 99);
    EXPECT_EQ(table.papers[50].nPaperSize, 564);
    EXPECT_EQ(table.papers[98].nPaperSize, 612);
}

TEST(DeleteQuestion, PutsTheNameInPlaceOfTheFirstDirectiveOnly) {
    struct Case {
        std::string format;
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"Delete '%s'?", "Label 50", "Delete 'Label 50'?"},
        {"Delete '%s'?", "100% %s %d", "Delete '100% %s %d'?"},
        {"%s and %s, %d%%", "A", "A and %s, %d%%"},
        {"No name here.", "A", "No name here."},
        {"Delete '%s'?", "", "Delete ''?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::DeleteQuestion(c.format, c.name), c.expected) << c.format;
}

}  // namespace
