#include "rules/validate_fields.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "rules/paper_values.h"
#include "tests/rules/field_texts.h"
#include "tests/support/headless.h"
#include "win/codepage.h"

namespace {

using editortest::ValidFields;
using editortest::With;
using papertable::PaperRecord;
using rules::FieldTexts;

FieldTexts BaseInch(int kindIndex) {
    FieldTexts t = ValidFields(kindIndex);
    t.width = "2.00";
    t.length = "1.50";
    t.gap = "0.12";
    t.right = t.left = "0.10";
    t.top = t.bottom = "0.12";
    t.markLength = "0.10";
    return t;
}

PaperRecord Named(const std::string& mm, const std::string& inch, int16_t id) {
    PaperRecord r;
    win::AnsiToWide(mm, r.szPaperName_mm);
    win::AnsiToWide(inch, r.szPaperName_inch);
    r.nPaperSize = id;
    return r;
}

// The message the save step would show for these fields, or "" when they pass.
std::string Check(const FieldTexts& texts, bool inch = false, char separator = '.',
                  const std::vector<PaperRecord>& papers = {},
                  rules::EditMode editMode = rules::EditMode::NewPaper, int16_t id = 520) {
    const rules::UnitSettings units{inch, separator, papertable::k203DpiLimits};
    PaperRecord record;
    record.nPaperSize = id;
    const rules::PaperValues values = rules::ReadFieldValues(texts, separator);
    const bool markMode = rules::BuildRecord(values, units, record);
    const auto violation =
        rules::ValidateFields({record, markMode, editMode, papers}, values, units);
    if (!violation) return "";
    win::headless::HeadlessUi ui;
    return rules::ViolationText(*violation, ui, units);
}

struct RangeCase {
    const char* what;
    FieldTexts texts;
    bool inch;
    char separator;
    std::string expected;
};

TEST(ValidateFields, RangeMessagesInBothUnits) {
    const RangeCase cases[] = {
        {"width low", With(ValidFields(1), [](auto& t) { t.width = "11.8"; }), false, '.',
         "The entry for 'Width' is not valid.\n( 11.9mm - 63.0mm )"},
        {"width high, comma", With(ValidFields(1), [](auto& t) { t.width = "63,1"; }), false, ',',
         "The entry for 'Width' is not valid.\n( 11,9mm - 63,0mm )"},
        {"width first",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "70.0";
                  t.length = "1.0";
              }),
         false, '.', "The entry for 'Width' is not valid.\n( 11.9mm - 63.0mm )"},
        {"length label", With(ValidFields(1), [](auto& t) { t.length = "4.0"; }), false, '.',
         "The entry for 'Length' is not valid.\n( 6.0mm - 1000.0mm )"},
        {"length mark", With(ValidFields(2), [](auto& t) { t.length = "4.0"; }), false, '.',
         "The entry for 'Length' is not valid.\n( 25.4mm - 1000.0mm )"},
        {"length high", With(ValidFields(1), [](auto& t) { t.length = "1000.1"; }), false, '.',
         "The entry for 'Length' is not valid.\n( 6.0mm - 1000.0mm )"},
        {"gap", With(ValidFields(1), [](auto& t) { t.gap = "2.9"; }), false, '.',
         "The entry for 'Gap' is not valid.\n( 3.0mm - 1000.0mm )"},
        {"gap not checked for marks", With(ValidFields(2), [](auto& t) { t.gap = "0.0"; }), false,
         '.', ""},
        {"mark length", With(ValidFields(2), [](auto& t) { t.markLength = "1.9"; }), false, '.',
         "The entry for 'Mark length' is not valid.\n( 2.0mm - 30.0mm )"},
        {"mark length above length", With(ValidFields(2), [](auto& t) { t.markLength = "30.1"; }),
         false, '.', "The entry for 'Mark length' is not valid.\n( 2.0mm - 30.0mm )"},
        {"mark offset", With(ValidFields(2), [](auto& t) { t.markOffset = "-30.1"; }), false, '.',
         "The entry for 'Mark offset' is not valid.\n( -30.0mm - 30.0mm )"},
        {"mark offset at bound", With(ValidFields(2), [](auto& t) { t.markOffset = "-30.0"; }),
         false, '.', ""},
        {"side margin",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "62.0";
                  t.right = "2.9";
                  t.left = "3.0";
              }),
         false, '.',
         "The entry for 'Right margin , Left margin' is not valid.\n( 3.0mm - 58.8mm )"},
        {"side margins at bound",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "62.0";
                  t.right = "3.0";
                  t.left = "3.0";
              }),
         false, '.', ""},
        // 62.5 - 56.0 = 6.5 mm is odd in tenths: each side at least 3.25 mm.
        {"side margin, odd difference",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "62.5";
                  t.right = "3.2";
                  t.left = "3.3";
              }),
         false, '.',
         "The entry for 'Right margin , Left margin' is not valid.\n( 3.3mm - 59.1mm )"},
        {"side margins above the odd half",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "62.5";
                  t.right = "3.3";
                  t.left = "3.3";
              }),
         false, '.', ""},
        {"inch side margin, odd difference",
         With(BaseInch(1),
              [](auto& t) {
                  t.width = "2.45";
                  t.right = "0.13";
                  t.left = "0.12";
              }),
         true, '.',
         "The entry for 'Right margin , Left margin' is not valid.\n( 0.13\" - 2.31\" )"},
        {"side sum",
         With(ValidFields(1),
              [](auto& t) {
                  t.right = "30.0";
                  t.left = "20.0";
              }),
         false, '.',
         "The entry for 'Right margin + Left margin' is not valid.\n( 0.0mm - 49.8mm )"},
        {"top below", With(ValidFields(2), [](auto& t) { t.top = "2.9"; }), false, '.',
         "The entry for 'Top margin / Bottom margin' is not valid.\n( 3.0mm - 29.8mm )"},
        {"label top zero",
         With(ValidFields(1),
              [](auto& t) {
                  t.top = "0.0";
                  t.bottom = "0.0";
              }),
         false, '.', ""},
        {"top sum",
         With(ValidFields(1),
              [](auto& t) {
                  t.top = "15.0";
                  t.bottom = "15.0";
              }),
         false, '.',
         "The entry for 'Top margin + Bottom margin' is not valid.\n( 0.0mm - 29.8mm )"},
        {"roll top sum",
         With(ValidFields(0),
              [](auto& t) {
                  t.top = "70.0";
                  t.bottom = "70.0";
              }),
         false, '.',
         "The entry for 'Top margin + Bottom margin' is not valid.\n( 3.0mm - 127.0mm )"},
        {"roll has no length",
         With(ValidFields(0),
              [](auto& t) {
                  t.length = "0.0";
                  t.gap = "0.0";
              }),
         false, '.', ""},
        {"inch width", With(BaseInch(1), [](auto& t) { t.width = "0.46"; }), true, '.',
         "The entry for 'Width' is not valid.\n( 0.47\" - 2.48\" )"},
        {"inch length", With(BaseInch(1), [](auto& t) { t.length = "0.23"; }), true, '.',
         "The entry for 'Length' is not valid.\n( 0.24\" - 39.37\" )"},
        {"inch mark length", With(BaseInch(2), [](auto& t) { t.markLength = "0.07"; }), true, '.',
         "The entry for 'Mark length' is not valid.\n( 0.08\" - 1.50\" )"},
        {"inch gap comma",
         With(BaseInch(1),
              [](auto& t) {
                  t.gap = "0,11";
                  t.width = "2,00";
                  t.length = "1,50";
                  t.right = t.left = "0,10";
                  t.top = t.bottom = "0,12";
              }),
         true, ',', "The entry for 'Gap' is not valid.\n( 0,12\" - 39,37\" )"},
        {"inch roll", With(BaseInch(0), [](auto& t) { t.top = t.bottom = "2.60"; }), true, '.',
         "The entry for 'Top margin + Bottom margin' is not valid.\n( 0.12\" - 5.00\" )"},
        {"inch passes", BaseInch(1), true, '.', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check(c.texts, c.inch, c.separator), c.expected) << c.what;
}

TEST(ValidateFields, Names) {
    // A message of its own: the range message does not fit a name.
    const std::string refused = "Enter a paper name that does not start with a blank.";
    struct Case {
        const char* name;
        std::string expected;
    };
    const Case cases[] = {
        {"", refused},
        {"   ", refused},
        {" Lead", refused},
        {"A   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(With(ValidFields(1), [&](auto& t) { t.name = c.name; })), c.expected)
            << c.name;
    }
}

TEST(ValidateFields, DuplicateNames) {
    const std::string inUse = "A paper format with this name already exists.";
    constexpr auto kNew = rules::EditMode::NewPaper;
    constexpr auto kEdit = rules::EditMode::ExistingPaper;
    const std::vector<PaperRecord> papers = {Named("Roll 50", "Roll 2in", 513),
                                             Named("Label", "Label 50", 514)};
    auto check = [&](const char* name, rules::EditMode editMode, int16_t id) {
        return Check(With(ValidFields(1), [&](auto& t) { t.name = name; }), false, '.', papers,
                     editMode, id);
    };
    EXPECT_EQ(check("Roll 50", kNew, 520), inUse);
    EXPECT_EQ(check("Roll 2in", kNew, 520), inUse);  // another paper's inch name
    EXPECT_EQ(check("Label 50", kNew, 520), inUse);
    EXPECT_EQ(check("roll 50", kNew, 520), "");   // case matters
    EXPECT_EQ(check("Roll 50", kEdit, 513), "");  // the edited paper itself
    EXPECT_EQ(check("Roll 50", kEdit, 515), inUse);
    EXPECT_EQ(check("Roll 50", kNew, 513), inUse);  // a new paper has no exception
}

TEST(ViolationText, FormatTextsAreNotInterpreted) {
    win::headless::HeadlessUi ui;
    ui.strings[IDS_RANGE_ERROR] = "100% %s wrong %d";
    ui.strings[IDS_ITEM_RIGHT] = "R %s";
    ui.strings[IDS_ITEM_LEFT] = "Left side";
    const rules::Violation violation{IDS_RANGE_ERROR,
                                     {IDS_ITEM_RIGHT, IDS_ITEM_LEFT},
                                     "%s + %s",
                                     std::make_pair(int64_t{0}, int64_t{1500})};
    EXPECT_EQ(rules::ViolationText(violation, ui, {false, ',', papertable::k203DpiLimits}),
              "100% R %s + Left side wrong %d\n( 0,0mm - 1,5mm )");
}

}  // namespace
