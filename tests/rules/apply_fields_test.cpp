#include <gtest/gtest.h>

#include <array>

#include "rules/paper_values.h"
#include "tests/rules/field_texts.h"
#include "win/codepage.h"

namespace {

using papertable::PaperRecord;
using rules::FieldTexts;

rules::UnitSettings Units(bool inch,
                          const papertable::ModelLimits& limits = papertable::k203DpiLimits) {
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
    t.kind = papertable::kKindLabel;
    return t;
}

std::u16string Wide(const papertable::WideText<papertable::kNameUnits>& text) {
    return std::u16string(text.data());
}

TEST(ApplyFields, WidthWorkedExampleInMillimetres) {
    PaperRecord r;
    r.nPaperSize = 517;
    EXPECT_FALSE(editortest::ApplyFields(LabelMm(), Units(false), r));
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
    editortest::ApplyFields(LabelMm(), Units(false), r);
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
    t.kind = papertable::kKindMark;
    EXPECT_TRUE(editortest::ApplyFields(t, Units(false), r));
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
    t.kind = papertable::kKindRoll;
    EXPECT_FALSE(editortest::ApplyFields(t, Units(false), r));
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
    t.kind = papertable::kKindLabel;
    PaperRecord r;
    editortest::ApplyFields(t, Units(true, papertable::k300DpiLimits), r);
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

// Left and right margins differ, and so do top and bottom, so that each derived
// value shows which margin it was taken from. The expected numbers are worked out
// from the save rules by hand; the first case in full:
//   width 50.0 mm at 203 dpi: 500 tenths; 500 x 2030 / 254 = 3996 -> 400 dots;
//   left 3.0 mm: 3000 x 2030 / 254 = 23976 -> 24 dots; right 1.0 mm -> 8 dots;
//   printable 400 - 24 - 8 = 368 dots, 368 x 254 / 203 = 460 tenths;
//   pins: 50.0 - 2 x 3.0 = 44.0 mm -> 352 dots, left (448 - 352) / 2 = 48,
//   right 448 - 48 - 368 = 32;
//   length 30.0 less bottom 4.5 less top 2.0 = 23.5 mm: 235 tenths, 188 dots;
//   top 2.0 mm -> 16 dots, bottom 4.5 mm -> 36 dots; gap 3.0 mm -> 24 + 240 dots.
TEST(ApplyFields, UnequalMarginsInBothUnitsAndResolutions) {
    struct Derived {
        int paperWidth, widthDots, leftDots, printableWidthDots, printableWidth;
        int pinLeft, pinRight;
        int paperLength, printableLength, lengthDots, printableLengthDots, topDots;
        int pitchDots;
        const char* reserved;
        const char* wholeMillimetres;
    };
    struct Case {
        const char* what;
        bool inch;
        papertable::ModelLimits limits;
        // width, length, gap, right, top, left, bottom
        std::array<const char*, 7> texts;
        Derived expected;
    };
    const Case cases[] = {
        {"mm 203",
         false,
         papertable::k203DpiLimits,
         {"50.0", "30.0", "3.0", "1.0", "2.0", "3.0", "4.5"},
         {500, 400, 24, 368, 460, 48, 32, 300, 235, 240, 188, 16, 264, "16,0,0,0,0,0,1,36,0,0,0,0",
          "50"}},
        {"mm 300",
         false,
         papertable::k300DpiLimits,
         {"58.0", "40.0", "3.5", "2.5", "1.5", "1.0", "3.0"},
         {580, 685, 12, 643, 544, 5, 24, 400, 355, 472, 419, 18, 513, "18,0,0,0,0,0,1,35,0,0,0,0",
          "58"}},
        {"inch 203",
         true,
         papertable::k203DpiLimits,
         {"2.00", "1.50", "0.12", "0.05", "0.10", "0.15", "0.20"},
         {508, 406, 30, 366, 457, 51, 31, 381, 305, 305, 244, 20, 329, "20,0,0,0,0,0,1,41,0,0,0,0",
          "51"}},
        {"inch 300",
         true,
         papertable::k300DpiLimits,
         {"2.20", "3.00", "0.15", "0.12", "0.25", "0.04", "0.05"},
         {559, 660, 12, 612, 518, 18, 42, 762, 686, 900, 810, 75, 945, "75,0,0,0,0,0,1,15,0,0,0,0",
          "56"}},
    };
    for (const auto& c : cases) {
        FieldTexts t;
        t.name = "Unequal";
        t.width = c.texts[0];
        t.length = c.texts[1];
        t.gap = c.texts[2];
        t.right = c.texts[3];
        t.top = c.texts[4];
        t.left = c.texts[5];
        t.bottom = c.texts[6];
        t.kind = papertable::kKindLabel;
        PaperRecord r;
        editortest::ApplyFields(t, Units(c.inch, c.limits), r);
        const Derived& e = c.expected;
        EXPECT_EQ(r.nPaperWidth, e.paperWidth) << c.what;
        EXPECT_EQ(r.nPaperWidthRes, e.widthDots) << c.what;
        EXPECT_EQ(r.nPhysicalOffsetX, e.leftDots) << c.what;
        EXPECT_EQ(r.nImageAreaWidthRes, e.printableWidthDots) << c.what;
        EXPECT_EQ(r.nImageAreaWidth, e.printableWidth) << c.what;
        EXPECT_EQ(r.wPinOffsetLeft, e.pinLeft) << c.what;
        EXPECT_EQ(r.wPinOffsetRight, e.pinRight) << c.what;
        EXPECT_EQ(r.nPaperLength, e.paperLength) << c.what;
        EXPECT_EQ(r.nImageAreaLength, e.printableLength) << c.what;
        EXPECT_EQ(r.nPaperLengthRes, e.lengthDots) << c.what;
        EXPECT_EQ(r.nImageAreaLengthRes, e.printableLengthDots) << c.what;
        EXPECT_EQ(r.nPhysicalOffsetY, e.topDots) << c.what;
        EXPECT_EQ(r.lblPitchDot, e.pitchDots) << c.what;
        EXPECT_EQ(r.reserved_12_, e.reserved) << c.what;
        EXPECT_EQ(r.byRollWidMm, e.wholeMillimetres) << c.what;
    }
}

// Beyond 700 mm the gap and the mark offset are converted in a form that keeps the
// products small; it must give the dots of the general form, for either sign.
//   -850.0 mm at 203 dpi: -850000 x 203 / 254 = -679330, rounded at two digits: -6793;
//   as an unsigned 16-bit value 58743: low byte 119, high byte 229.
TEST(ApplyFields, MarkOffsetBelowMinusSevenHundredMillimetres) {
    const struct {
        const char* offset;
        papertable::ModelLimits limits;
        int dots;
        const char* reserved;
    } cases[] = {
        {"-850.0", papertable::k203DpiLimits, -6793, "12,0,119,229,24,0,2,12,0,0,0,0"},
        {"-700.1", papertable::k300DpiLimits, -8269, "18,0,179,223,35,0,2,18,0,0,0,0"},
        {"-1000.0", papertable::k300DpiLimits, -11811, "18,0,221,209,35,0,2,18,0,0,0,0"},
        {"-700.0", papertable::k203DpiLimits, -5594, "12,0,38,234,24,0,2,12,0,0,0,0"},
    };
    for (const auto& c : cases) {
        FieldTexts t = LabelMm();
        t.kind = papertable::kKindMark;
        t.length = "1000.0";
        t.markOffset = c.offset;
        PaperRecord r;
        editortest::ApplyFields(t, Units(false, c.limits), r);
        EXPECT_EQ(r.markOffset, c.dots) << c.offset;
        EXPECT_EQ(r.reserved_12_, c.reserved) << c.offset;
    }
}

TEST(ApplyFields, GapBeyondSevenHundredMillimetres) {
    FieldTexts t = LabelMm();
    t.length = "900.0";
    t.gap = "800.0";
    PaperRecord r;
    editortest::ApplyFields(t, Units(false, papertable::k300DpiLimits), r);
    EXPECT_EQ(r.nPaperLengthRes, 10630);
    EXPECT_EQ(r.lblPitchDot, 10630 + 9449);
}

TEST(ApplyFields, NameThatDoesNotFitLeavesTheNamesEmpty) {
    FieldTexts t = LabelMm();
    t.name = std::string(32, 'n');
    PaperRecord r;
    editortest::ApplyFields(t, Units(false), r);
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
    for (const auto& c : cases) EXPECT_EQ(rules::SizeNameBytes(c.name, &OddBytesLead), c.expected);
}

// What the editor shows when it opens on a paper it stored: the texts it was given.
TEST(FieldTextsFromRecord, ShowsAStoredPaperAsItWasTyped) {
    struct Case {
        const char* what;
        FieldTexts typed;
        bool inch;
    };
    FieldTexts mark = LabelMm();
    mark.kind = papertable::kKindMark;
    FieldTexts roll = LabelMm();
    roll.kind = papertable::kKindRoll;
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
        editortest::ApplyFields(c.typed, Units(c.inch), record);
        const FieldTexts shown = rules::FieldTextsFromRecord(record, Units(c.inch));
        EXPECT_EQ(shown.name, c.typed.name) << c.what;
        EXPECT_EQ(shown.kind, c.typed.kind) << c.what;
        EXPECT_EQ(shown.width, c.typed.width) << c.what;
        EXPECT_EQ(shown.right, c.typed.right) << c.what;
        EXPECT_EQ(shown.left, c.typed.left) << c.what;
        EXPECT_EQ(shown.top, c.typed.top) << c.what;
        EXPECT_EQ(shown.bottom, c.typed.bottom) << c.what;
        if (c.typed.kind == papertable::kKindRoll) continue;  // a roll keeps no length, gap or mark
        EXPECT_EQ(shown.length, c.typed.length) << c.what;
        EXPECT_EQ(shown.markLength, c.typed.markLength) << c.what;
        EXPECT_EQ(shown.markOffset, c.typed.markOffset) << c.what;
        if (c.typed.kind == papertable::kKindLabel) {
            EXPECT_EQ(shown.gap, c.typed.gap) << c.what;
        }
    }
}

TEST(FieldTextsFromRecord, LocalizedAndInTheUnitOfTheName) {
    PaperRecord record;
    editortest::ApplyFields(LabelMm(), Units(false), record);
    win::AnsiToWide("Label 2 in", record.szPaperName_inch);
    const FieldTexts shown =
        rules::FieldTextsFromRecord(record, {true, ',', papertable::k203DpiLimits});
    EXPECT_EQ(shown.name, "Label 2 in");
    EXPECT_EQ(shown.width, "1,97");
}

TEST(EditorKind, AMarkPaperStoredAs75ShowsAs76) {
    PaperRecord record;
    record.nType = 75;
    EXPECT_EQ(rules::EditorKind(record), 75);
    record.reserved_12_ = "0,0,0,0,0,0,2,0,0";
    EXPECT_EQ(rules::EditorKind(record), 76);
    record.nType = 74;
    record.reserved_12_ = "0,0,0,0,0,0,0";
    EXPECT_EQ(rules::EditorKind(record), 74);
    record.nType = 80;  // no kind of the editor's: opens as 76
    EXPECT_EQ(rules::EditorKind(record), 76);
}

TEST(FieldsOfKind, WhichFieldsEachKindUses) {
    struct Case {
        int16_t kindIndex;
        rules::KindFields used;
    };
    const Case cases[] = {
        {papertable::kKindRoll, {false, false, false, false, false}},
        {papertable::kKindLabel, {true, true, false, false, true}},
        {papertable::kKindMark, {true, false, true, true, true}},
    };
    for (const auto& c : cases) {
        const auto used = rules::FieldsOfKind(c.kindIndex);
        EXPECT_EQ(used.length, c.used.length) << c.kindIndex;
        EXPECT_EQ(used.gap, c.used.gap) << c.kindIndex;
        EXPECT_EQ(used.markLength, c.used.markLength) << c.kindIndex;
        EXPECT_EQ(used.markOffset, c.used.markOffset) << c.kindIndex;
        EXPECT_EQ(used.bottom, c.used.bottom) << c.kindIndex;
    }
}

TEST(NameFitsRecord, ThirtyOneUnitsAtMost) {
    EXPECT_TRUE(rules::NameFitsRecord(""));
    EXPECT_TRUE(rules::NameFitsRecord(std::string(31, 'a')));
    EXPECT_FALSE(rules::NameFitsRecord(std::string(32, 'a')));
}

}  // namespace
