#include "editor/apply_fields.h"

#include <gtest/gtest.h>

#include "win/codepage.h"

namespace {

using editor::FieldTexts;
using papertable::PaperRecord;

editor::UnitSettings Units(bool inch, const app::ModelLimits& limits = app::k203DpiLimits) {
    return {inch, '.', limits};
}

// A 50 mm die-cut label of 30 mm with 3 mm gap on a 203-dpi model.
FieldTexts LabelMm() {
    FieldTexts t;
    t.name = "Label 50";
    t.width = "50.0";
    t.length = "30.0";
    t.gap = "3.0";
    t.right = "2.0";
    t.top = "1.5";
    t.left = "2.0";
    t.bottom = "1.5";
    t.markLength = "3.0";
    t.markOffset = "-2.0";
    t.kindIndex = 1;
    return t;
}

std::u16string Wide(const papertable::WideText<papertable::kNameUnits>& text) {
    return std::u16string(text.data());
}

TEST(ApplyFields, WidthWorkedExampleInMillimetres) {
    PaperRecord r;
    r.nPaperSize = 517;
    EXPECT_FALSE(editor::ApplyFields(LabelMm(), Units(false), r));
    EXPECT_EQ(r.nPaperWidth, 500);
    EXPECT_EQ(r.nPaperWidthRes, 400);
    EXPECT_EQ(r.nPhysicalOffsetX, 16);
    EXPECT_EQ(r.nImageAreaWidthRes, 368);
    EXPECT_EQ(r.nImageAreaWidth, 460);
    EXPECT_EQ(r.wPinOffsetLeft, 40);
    EXPECT_EQ(r.wPinOffsetRight, 40);
    EXPECT_EQ(r.byRollWidMm, "50");
    EXPECT_EQ(r.wPafMediaID, "517");
    EXPECT_EQ(Wide(r.szPaperName_mm), u"Label 50");
    EXPECT_EQ(Wide(r.szPaperName_inch), u"Label 50");
    EXPECT_EQ(std::u16string(r.szPaperWidthString_inch.data()), u"1.97\"");
    EXPECT_EQ(std::u16string(r.szPaperLengthString_inch.data()), u"1.18\"");
}

TEST(ApplyFields, LengthGapAndMarginsOfALabel) {
    PaperRecord r;
    r.dwPaperAbility01 = 0x4F2;
    r.reserved_12_ = "1,2,3,4,5,6,7,8,9,-1,2,70000";
    editor::ApplyFields(LabelMm(), Units(false), r);
    EXPECT_EQ(r.nType, 75);
    EXPECT_EQ(r.nPaperLength, 300);
    EXPECT_EQ(r.nImageAreaLength, 270);
    EXPECT_EQ(r.nPaperLengthRes, 240);
    EXPECT_EQ(r.nImageAreaLengthRes, 216);
    EXPECT_EQ(r.nPhysicalOffsetY, 12);
    EXPECT_EQ(r.lblPitchDot, 240 + 24);
    EXPECT_EQ(r.nMaxFeed, 0);
    EXPECT_EQ(r.nMaxLength, 0);
    EXPECT_EQ(r.nMinLength, 0);
    EXPECT_EQ(r.dwPaperAbility01, 0x4F0u);
    // The mark is stored in the fields whatever the kind, but not in the list.
    EXPECT_EQ(r.markOffset, -16);
    EXPECT_EQ(r.markLength, 24);
    EXPECT_EQ(r.reserved_12_, "12,0,0,0,0,0,1,12,0,-1,2,4464");
    EXPECT_EQ(r.markNoChkValu, 0);
    EXPECT_EQ(r.byHeadDivide, "0");
    EXPECT_EQ(r.szSizeIN, " ");
    EXPECT_EQ(r.szSizeMM, "Label 50");
}

TEST(ApplyFields, MarkedLabelIsStoredAsKind75WithItemSix) {
    PaperRecord r;
    r.lblPitchDot = 999;
    FieldTexts t = LabelMm();
    t.kindIndex = 2;
    EXPECT_TRUE(editor::ApplyFields(t, Units(false), r));
    EXPECT_EQ(r.nType, 75);
    EXPECT_EQ(r.lblPitchDot, r.nPaperLengthRes);
    EXPECT_EQ(r.markOffset, -16);
    // -16 as an unsigned 16-bit value: 240, 255; previous items 9 to 11 absent: 0.
    EXPECT_EQ(r.reserved_12_, "12,0,240,255,24,0,2,12,0,0,0,0");
}

TEST(ApplyFields, RollHasNoLength) {
    PaperRecord r;
    r.nPaperLength = 300;
    r.lblPitchDot = 264;
    r.dwPaperAbility01 = 0x4F0;
    FieldTexts t = LabelMm();
    t.kindIndex = 0;
    EXPECT_FALSE(editor::ApplyFields(t, Units(false), r));
    EXPECT_EQ(r.nType, 74);
    EXPECT_EQ(r.nPaperLength, 0);
    EXPECT_EQ(r.nImageAreaLength, 0);
    EXPECT_EQ(r.nPaperLengthRes, 0);
    EXPECT_EQ(r.nImageAreaLengthRes, 0);
    EXPECT_EQ(r.lblPitchDot, 0);
    EXPECT_EQ(r.nMaxFeed, 1500);
    EXPECT_EQ(r.nMaxLength, 10000);
    EXPECT_EQ(r.nMinLength, 60);
    EXPECT_EQ(r.dwPaperAbility01, 0x4F1u);
    EXPECT_EQ(r.reserved_12_, "12,0,0,0,0,0,0,12,0,0,0,0");
}

TEST(ApplyFields, InchModeAt300Dpi) {
    FieldTexts t;
    t.name = "Two inch";
    t.width = "2.00";
    t.length = "3.00";
    t.gap = "0.12";
    t.right = "0.10";
    t.left = "0.10";
    t.top = "0.10";
    t.bottom = "0.10";
    t.kindIndex = 1;
    PaperRecord r;
    editor::ApplyFields(t, Units(true, app::k300DpiLimits), r);
    EXPECT_EQ(r.nPaperWidth, 508);
    EXPECT_EQ(r.nPaperWidthRes, 600);
    EXPECT_EQ(r.nPhysicalOffsetX, 30);
    EXPECT_EQ(r.nImageAreaWidthRes, 540);
    EXPECT_EQ(r.nImageAreaWidth, 457);
    EXPECT_EQ(r.wPinOffsetLeft, 66);
    EXPECT_EQ(r.wPinOffsetRight, 66);
    EXPECT_EQ(r.byRollWidMm, "51");
    EXPECT_EQ(r.nPaperLength, 762);
    EXPECT_EQ(r.nImageAreaLength, 711);
    EXPECT_EQ(r.nPaperLengthRes, 900);
    EXPECT_EQ(r.nImageAreaLengthRes, 840);
    EXPECT_EQ(r.lblPitchDot, 900 + 36);  // 0.12 in = 3.048 mm = 36 dots
    EXPECT_EQ(std::u16string(r.szPaperWidthString_inch.data()), u"2.00\"");
    EXPECT_EQ(std::u16string(r.szPaperLengthString_inch.data()), u"3.00\"");
}

TEST(ApplyFields, GapBeyondSevenHundredMillimetres) {
    FieldTexts t = LabelMm();
    t.length = "900.0";
    t.gap = "800.0";
    PaperRecord r;
    editor::ApplyFields(t, Units(false, app::k300DpiLimits), r);
    EXPECT_EQ(r.nPaperLengthRes, 10630);
    EXPECT_EQ(r.lblPitchDot, 10630 + 9449);
}

TEST(ApplyFields, NameThatDoesNotFitLeavesTheNamesEmpty) {
    FieldTexts t = LabelMm();
    t.name = std::string(32, 'n');
    PaperRecord r;
    editor::ApplyFields(t, Units(false), r);
    EXPECT_EQ(r.szPaperName_mm[0], 0);
    EXPECT_EQ(r.szPaperName_inch[0], 0);
}

bool OddBytesLead(char c) {
    return (static_cast<unsigned char>(c) & 0x80) != 0;
}

TEST(SizeName, WholeCharactersOfAtMostFifteenBytes) {
    struct Case {
        std::string name;
        std::string expected;
    };
    const std::string lead = "\x81\x40";  // one double-byte character
    const Case cases[] = {
        {"Short", "Short"},
        {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNO"},
        {"ABCDEFGHIJKLMN" + lead, "ABCDEFGHIJKLMN"},             // 15th byte is a lead byte
        {"ABCDEFGHIJKLM" + lead + "Z", "ABCDEFGHIJKLM" + lead},  // ends on a whole character
        {lead + lead + lead + lead + lead + lead + lead + lead,
         lead + lead + lead + lead + lead + lead + lead},
    };
    for (const auto& c : cases) EXPECT_EQ(editor::SizeNameBytes(c.name, &OddBytesLead), c.expected);
}

// What the editor shows when it opens on a paper it stored: the texts it was given.
TEST(FieldTextsFromRecord, ShowsAStoredPaperAsItWasTyped) {
    struct Case {
        const char* what;
        FieldTexts typed;
        bool inch;
    };
    FieldTexts mark = LabelMm();
    mark.kindIndex = 2;
    FieldTexts roll = LabelMm();
    roll.kindIndex = 0;
    roll.length = roll.gap = roll.markLength = roll.markOffset = "0.0";
    roll.top = roll.bottom = "3.0";
    FieldTexts inch = LabelMm();
    inch.width = "1.97";
    inch.length = "1.18";
    inch.gap = "0.12";
    inch.right = inch.left = "0.08";
    inch.top = inch.bottom = "0.06";
    inch.markLength = "0.12";
    inch.markOffset = "-0.08";
    const Case cases[] = {
        {"label", LabelMm(), false},
        {"mark", mark, false},
        {"roll", roll, false},
        {"inch label", inch, true},
    };
    for (const auto& c : cases) {
        PaperRecord record;
        editor::ApplyFields(c.typed, Units(c.inch), record);
        const FieldTexts shown = editor::FieldTextsFromRecord(record, Units(c.inch));
        EXPECT_EQ(shown.name, c.typed.name) << c.what;
        EXPECT_EQ(shown.kindIndex, c.typed.kindIndex) << c.what;
        EXPECT_EQ(shown.width, c.typed.width) << c.what;
        EXPECT_EQ(shown.right, c.typed.right) << c.what;
        EXPECT_EQ(shown.left, c.typed.left) << c.what;
        EXPECT_EQ(shown.top, c.typed.top) << c.what;
        EXPECT_EQ(shown.bottom, c.typed.bottom) << c.what;
        if (c.typed.kindIndex == 0) continue;  // a roll keeps no length, gap or mark
        EXPECT_EQ(shown.length, c.typed.length) << c.what;
        EXPECT_EQ(shown.markLength, c.typed.markLength) << c.what;
        EXPECT_EQ(shown.markOffset, c.typed.markOffset) << c.what;
        if (c.typed.kindIndex == 1) {
            EXPECT_EQ(shown.gap, c.typed.gap) << c.what;
        }
    }
}

TEST(FieldTextsFromRecord, LocalizedAndInTheUnitOfTheName) {
    PaperRecord record;
    editor::ApplyFields(LabelMm(), Units(false), record);
    win::AnsiToWide("Label 2 in", record.szPaperName_inch);
    const FieldTexts shown = editor::FieldTextsFromRecord(record, {true, ',', app::k203DpiLimits});
    EXPECT_EQ(shown.name, "Label 2 in");
    EXPECT_EQ(shown.width, "1,97");
}

TEST(EditorKind, AMarkPaperStoredAs75ShowsAs76) {
    PaperRecord record;
    record.nType = 75;
    EXPECT_EQ(editor::EditorKind(record), 75);
    record.reserved_12_ = "0,0,0,0,0,0,2,0,0";
    EXPECT_EQ(editor::EditorKind(record), 76);
    record.nType = 74;
    record.reserved_12_ = "0,0,0,0,0,0,0";
    EXPECT_EQ(editor::EditorKind(record), 74);
    EXPECT_EQ(editor::KindSelection(74), 0);
    EXPECT_EQ(editor::KindSelection(75), 1);
    EXPECT_EQ(editor::KindSelection(76), 2);
}

TEST(FieldsOfKind, WhichFieldsEachKindUses) {
    struct Case {
        int kindIndex;
        editor::KindFields used;
    };
    const Case cases[] = {
        {0, {false, false, false, false, false}},
        {1, {true, true, false, false, true}},
        {2, {true, false, true, true, true}},
    };
    for (const auto& c : cases) {
        const auto used = editor::FieldsOfKind(c.kindIndex);
        EXPECT_EQ(used.length, c.used.length) << c.kindIndex;
        EXPECT_EQ(used.gap, c.used.gap) << c.kindIndex;
        EXPECT_EQ(used.markLength, c.used.markLength) << c.kindIndex;
        EXPECT_EQ(used.markOffset, c.used.markOffset) << c.kindIndex;
        EXPECT_EQ(used.bottom, c.used.bottom) << c.kindIndex;
    }
}

TEST(NameFitsRecord, ThirtyOneUnitsAtMost) {
    EXPECT_TRUE(editor::NameFitsRecord(""));
    EXPECT_TRUE(editor::NameFitsRecord(std::string(31, 'a')));
    EXPECT_FALSE(editor::NameFitsRecord(std::string(32, 'a')));
}

}  // namespace
