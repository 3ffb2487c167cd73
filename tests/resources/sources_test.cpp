// Checks the sources of every language module: each string the program loads is
// there, with exactly the placeholders the program fills; the shared layout and the
// language's dialog texts name the same texts; mnemonics are unique per dialog and
// per menu level; the texts are in code page 1252.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "resources/resource_ids.h"
#include "tests/resources/resource_sources.h"

namespace {

namespace rs = resource_sources;

// The placeholders the program fills, by string; every other string holds none,
// so that passing it through a formatter cannot go wrong.
const std::map<int, std::string> kPlaceholders = {
    {IDS_ABOUT_VERSION, "%s"},        // "1.00"
    {IDS_ABOUT_YEAR, "%s"},           // "2013"
    {IDS_ASK_DELETE, "%s"},           // the paper's name
    {IDS_RANGE_ERROR, "%s"},          // the item's name
    {IDS_HISTORY_ADDED, "%s"},        // the paper's name
    {IDS_HISTORY_OVERWRITTEN, "%s"},  // the paper's name
    {IDS_HISTORY_DELETED, "%s"},      // the paper's name
    {IDS_HISTORY_IMPORTED, "%s"},     // the file's name
    {IDS_HISTORY_RESTORED, "%s"},     // the restored entry's time
    {IDS_HISTORY_PAPERS, "%s"},       // the number of papers
    {IDS_ASK_RESTORE, "%s"},          // the entry, as listed
};

// Texts a layout may write itself: the same in every language.
const std::set<std::string> kNeutralLiterals = {"", "mm", "ListBox", "Button"};

const std::string kSource = VELKOR_SOURCE_DIR;

std::string Path(const std::string& relative) {
    return kSource + "/src/resources/" + relative;
}

const rs::ResourceIds& Ids() {
    static const rs::ResourceIds ids = rs::ReadResourceIds(rs::ReadFile(Path("resource_ids.h")));
    return ids;
}

const std::vector<rs::LayoutBlock>& Layout() {
    static const auto layout = rs::ReadLayout(rs::ReadFile(Path("kvx500ct.rc")));
    return layout;
}

TEST(ResourceSources, ReaderTakesTheShapesOfTheHeader) {
    const auto ids = rs::ReadResourceIds(
        "#define IDD_A 10\n"
        "// Things, with IDOK (template IDD_A)\n"
        "#define IDC_A_ONE 11  // a trailing comment keeps the section\n"
        "// Free numbers\n"
        "#define IDM_FREE 16\n"
        "#define IDM_M 20\n"
        "#define IDS_X 30\n"
        "#define IDS_RUN_FIRST 40\n"
        "#define IDS_RUN_LAST 42\n"
        "// Its commands (menu IDM_M)\n"
        "#define IDM_M_GO 21\n"
        "// Pictures\n"
        "#define IDB_PICTURE 50\n"
        "#define IDI_ICON 60\n");
    ASSERT_EQ(ids.templates.size(), 1u);
    EXPECT_EQ(ids.templates[0].id, 10);
    EXPECT_EQ(ids.templates[0].members, (std::vector<int>{1, 11}));
    ASSERT_EQ(ids.menus.size(), 1u);
    EXPECT_EQ(ids.menus[0].id, 20);
    EXPECT_EQ(ids.menus[0].members, std::vector<int>{21});
    EXPECT_EQ(ids.strings, (std::vector<int>{30, 40, 41, 42}));
    EXPECT_EQ(ids.bitmaps, std::vector<int>{50});
    EXPECT_EQ(ids.icons, std::vector<int>{60});
}

TEST(ResourceSources, ReaderTakesTheShapesOfTheLayout) {
    const auto layout = rs::ReadLayout(
        "IDM_M MENU\nBEGIN\n    POPUP T_TOP\n    BEGIN\n        MENUITEM T_ONE, 1\n"
        "        MENUITEM T_TWO, 2\n    END\nEND\n"
        "IDD_D DIALOGEX 0, 0, 10, 10\nCAPTION T_CAPTION\nBEGIN\n"
        "    // T_COMMENTED\n    LTEXT T_LABEL, -1, 0, 0, 5, 5\n"
        "    LTEXT \"mm\", 5, 0, 0, 5, 5\n    PUSHBUTTON T_OK, 1, 0, 0, 5, 5\nEND\n");
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_TRUE(layout[0].menu);
    EXPECT_EQ(layout[0].groups,
              (std::vector<std::vector<std::string>>{{"T_TOP"}, {"T_ONE", "T_TWO"}}));
    EXPECT_FALSE(layout[1].menu);
    EXPECT_EQ(layout[1].caption, "T_CAPTION");
    EXPECT_EQ(layout[1].groups, (std::vector<std::vector<std::string>>{{"T_LABEL", "T_OK"}}));
    EXPECT_EQ(layout[1].literals, std::vector<std::string>{"mm"});
}

TEST(ResourceSources, MnemonicsAndPlaceholdersAreRead) {
    const struct {
        const char* text;
        int marks;
        int mnemonic;  // 0: none
        const char* placeholders;
    } cases[] = {
        {"&Add...", 1, 'a', ""},
        {"E&xport", 1, 'x', ""},
        {"Fish && Chips", 0, 0, ""},
        {"&Info &&", 1, 'i', ""},
        {"\xDC"
         "ber",
         0, 0, ""},
        {"&\xDC"
         "bernehmen",
         1, 0xFC, ""},
        {"Two &a&b", 2, 'a', ""},
        {"Delete '%s'?", 0, 0, "%s"},
        {"( %0.1fmm - %d )", 0, 0, "%0.1f%d"},
        {"100% done", 0, 0, "% d"},
        {"50%", 0, 0, "%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rs::MnemonicMarks(c.text), c.marks) << c.text;
        const auto mnemonic = rs::Mnemonic(c.text);
        EXPECT_EQ(mnemonic ? *mnemonic : 0, c.mnemonic) << c.text;
        EXPECT_EQ(rs::Placeholders(c.text), c.placeholders) << c.text;
    }
}

// The real files hold what the rest of this suite relies on.
TEST(ResourceSources, HeaderAndLayoutAreRead) {
    const auto& ids = Ids();
    EXPECT_EQ(ids.templates.size(), 7u);
    for (const auto& t : ids.templates) EXPECT_GT(t.members.size(), 2u) << t.name;
    ASSERT_EQ(ids.menus.size(), 1u);
    EXPECT_EQ(ids.menus[0].members, (std::vector<int>{IDM_POPUP_SEND, IDM_POPUP_SAVE}));
    EXPECT_EQ(ids.bitmaps.size(), 9u);
    EXPECT_EQ(ids.icons, std::vector<int>{IDI_MAIN});
    EXPECT_EQ(std::count(ids.strings.begin(), ids.strings.end(), IDS_ADJUST_LAST), 1);
    EXPECT_EQ(Layout().size(), ids.templates.size() + ids.menus.size());
    const auto languages = rs::Languages(kSource);
    EXPECT_EQ(languages, (std::vector<std::string>{"de", "en"}));
}

class Language : public ::testing::TestWithParam<std::string> {
protected:
    std::string File(const std::string& name) const {
        return rs::ReadFile(Path("lang/" + GetParam() + "/" + name));
    }
    std::vector<rs::StringEntry> Strings() const {
        return rs::ReadStrings(File("strings.def"), Ids());
    }
    std::map<std::string, std::string> DialogTexts() const {
        return rs::ReadDialogTexts(File("dialog_texts.h"));
    }
};

TEST_P(Language, StringTableHoldsEveryStringTheProgramLoadsAndNoOther) {
    std::map<int, int> seen;
    for (const auto& s : Strings()) {
        EXPECT_NE(s.id, 0) << "unreadable line: " << s.text;
        EXPECT_FALSE(s.text.empty()) << s.id;
        ++seen[s.id];
    }
    const std::set<int> wanted(Ids().strings.begin(), Ids().strings.end());
    for (int id : wanted) EXPECT_EQ(seen[id], 1) << "string " << id;
    for (const auto& [id, count] : seen) EXPECT_TRUE(wanted.count(id)) << "unused string " << id;
}

TEST_P(Language, StringsHoldThePlaceholdersTheProgramFills) {
    for (const auto& s : Strings()) {
        const auto expected = kPlaceholders.find(s.id);
        EXPECT_EQ(rs::Placeholders(s.text), expected == kPlaceholders.end() ? "" : expected->second)
            << s.id << ": " << s.text;
    }
}

// A file-type filter is "description|pattern|...||": the patterns are the English ones.
TEST_P(Language, FiltersKeepTheirPatterns) {
    const auto english = rs::ReadStrings(rs::ReadFile(Path("lang/en/strings.def")), Ids());
    std::map<int, std::string> patterns;
    auto patternsOf = [](const std::string& text) {
        std::string kept;
        size_t field = 0, start = 0;
        for (size_t bar = text.find('|'); bar != std::string::npos;
             start = bar + 1, bar = text.find('|', start), ++field) {
            if (field % 2 == 1) kept += text.substr(start, bar - start) + "|";
        }
        return kept;
    };
    for (const auto& s : english) patterns[s.id] = patternsOf(s.text);
    for (const auto& s : Strings()) {
        EXPECT_EQ(patternsOf(s.text), patterns[s.id]) << s.id << ": " << s.text;
        EXPECT_TRUE(patterns[s.id].empty() || s.text.ends_with("||")) << s.id;
    }
}

TEST_P(Language, DialogTextsAreTheOnesTheLayoutShows) {
    const auto texts = DialogTexts();
    std::set<std::string> used;
    for (const auto& block : Layout()) {
        if (!block.caption.empty()) used.insert(block.caption);
        for (const auto& group : block.groups) used.insert(group.begin(), group.end());
    }
    for (const auto& name : used) EXPECT_TRUE(texts.count(name)) << "missing text " << name;
    for (const auto& [name, text] : texts) EXPECT_TRUE(used.count(name)) << "unused text " << name;
}

TEST_P(Language, LayoutWritesOnlyLanguageNeutralTexts) {
    for (const auto& block : Layout()) {
        for (const auto& literal : block.literals)
            EXPECT_TRUE(kNeutralLiterals.count(literal)) << block.name << ": \"" << literal << "\"";
    }
}

TEST_P(Language, MnemonicsAreUniquePerDialogAndMenuLevel) {
    const auto texts = DialogTexts();
    for (const auto& block : Layout()) {
        for (const auto& group : block.groups) {
            std::map<unsigned char, std::string> owners;
            for (const auto& name : group) {
                const std::string& text = texts.count(name) ? texts.at(name) : name;
                EXPECT_LE(rs::MnemonicMarks(text), 1) << block.name << " " << name << ": " << text;
                const auto mnemonic = rs::Mnemonic(text);
                if (!mnemonic) continue;
                auto [at, fresh] = owners.emplace(*mnemonic, text);
                EXPECT_TRUE(fresh) << block.name << ": \"" << text << "\" and \"" << at->second
                                   << "\" share the mnemonic " << *mnemonic;
            }
        }
    }
}

// Code page 1252 leaves five bytes undefined; a file saved as UTF-8 by mistake shows
// as lead and continuation bytes, such as "\xC3\xA4" for an a-umlaut.
TEST_P(Language, TextsAreInCodePage1252) {
    for (const char* name : {"strings.def", "dialog_texts.h"}) {
        const std::string text = File(name);
        ASSERT_FALSE(text.empty()) << name;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
            EXPECT_FALSE(c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
                << name << " byte " << i;
            EXPECT_FALSE(c >= 0xC2 && c <= 0xF4 && next >= 0x80 && next <= 0xBF)
                << name << " byte " << i << ": UTF-8?";
            EXPECT_FALSE(c < 0x20 && c != '\n') << name << " control byte at " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Every, Language, ::testing::ValuesIn(rs::Languages(kSource)),
                         [](const auto& info) { return info.param; });

}  // namespace
