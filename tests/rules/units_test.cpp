#include "rules/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(RoundDisplay, FirstDroppedDigitDecides) {
    struct Case {
        float x;
        int decimals;
        float expected;
    };
    const Case cases[] = {
        {0.4685f, 2, 0.47f},  // 11.9 mm in inches
        {2.345f, 2, 2.35f},  {2.3449f, 2, 2.34f}, {-0.2f, 1, 0.0f},  {5.005f, 1, 5.0f},
        {3.387f, 1, 3.4f},   {0.1333f, 2, 0.13f}, {62.0f, 1, 62.0f}, {2.4409f, 2, 2.44f},
        {7.5f, 0, 8.0f},     {7.45f, 0, 7.0f},    {7.45f, 5, 7.0f},  // other counts: none
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(rules::RoundDisplay(c.x, c.decimals), c.expected)
            << c.x << " with " << c.decimals;
    }
}

TEST(RoundDisplay, HugeAndNonNumbersStayDefined) {
    EXPECT_GT(rules::RoundDisplay(1e30f, 2), 0.0f);
    EXPECT_EQ(rules::RoundDisplay(std::nanf(""), 1), 0.0f);
    EXPECT_FLOAT_EQ(rules::RoundDisplaySigned(-0.05f, 1), -0.1f);
    EXPECT_FLOAT_EQ(rules::RoundDisplaySigned(-1.25f, 1), -1.3f);
    EXPECT_FLOAT_EQ(rules::RoundDisplaySigned(1.25f, 1), 1.3f);
}

TEST(RoundScaled, HalfAwayFromZero) {
    struct Case {
        int64_t a;
        int k;
        int64_t expected;
    };
    const Case cases[] = {
        {1234, 1, 123}, {1235, 1, 124}, {-1235, 1, -124}, {-1234, 1, -123},
        {77, 0, 77},    {3996, 1, 400}, {15984, 3, 16},   {int64_t{3000000000} * 10, 3, 30000000},
    };
    for (const auto& c : cases) EXPECT_EQ(rules::RoundScaled(c.a, c.k), c.expected) << c.a;
}

TEST(ParseFixed, ReadsWithTheUsersSeparator) {
    struct Case {
        const char* text;
        int k;
        char separator;
        int64_t expected;
    };
    const Case cases[] = {
        {"12,5", 3, ',', 12500},  {"-0,25", 3, ',', -250},   {"7", 3, ',', 7000},
        {"12,5", 3, '.', 125000},                             // the comma is skipped
        {"12.5", 3, '.', 12500},  {"1.2345", 3, '.', 1235},   // half up on the next digit
        {"1.2344", 3, '.', 1234}, {"1.234x9", 3, '.', 1234},  // only the very next character counts
        {"1.2.3", 3, '.', 1230},                              // a second separator changes nothing
        {"3-4", 3, '.', 34000},                               // "-" elsewhere is ignored
        {"-0.5", 0, '.', 0},                                  // integer part only
        {"-1.0", 0, '.', -1},     {"-3,9", 0, ',', -3},      {"", 3, '.', 0},
        {"abc", 3, '.', 0},       {"-", 3, '.', 0},          {" 2 . 5 ", 3, '.', 2500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rules::ParseFixed(c.text, c.k, c.separator), c.expected) << c.text;
    }
}

TEST(ParseFixed, LongDigitRunsAreHeldAtTheLimit) {
    EXPECT_EQ(rules::ParseFixed(std::string(40, '9'), 3, '.'), rules::kParseFixedLimit);
    EXPECT_EQ(rules::ParseFixed("-" + std::string(40, '9'), 3, '.'), -rules::kParseFixedLimit);
    EXPECT_EQ(rules::ParseFixed(std::string(30, '9') + ".99", 3, '.'), rules::kParseFixedLimit);
}

TEST(DecimalText, LocalizeAndCanonicalize) {
    std::string text = "1.5 - 2.25";
    rules::LocalizeDecimal(text, ',');
    EXPECT_EQ(text, "1,5 - 2,25");
    rules::CanonicalizeDecimal(text, ',');
    EXPECT_EQ(text, "1.5 - 2.25");
    rules::LocalizeDecimal(text, '.');
    EXPECT_EQ(text, "1.5 - 2.25");
}

TEST(DecimalText, SeparatorIsTheLocalesFirstCharacterOrAPoint) {
    EXPECT_EQ(rules::DecimalSeparatorFrom(","), ',');
    EXPECT_EQ(rules::DecimalSeparatorFrom(".,"), '.');
    EXPECT_EQ(rules::DecimalSeparatorFrom(""), '.');
}

TEST(MmTextToInchText, ConvertsWithDotAsDecimalPoint) {
    struct Case {
        const char* mm;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {"11.9", 2, "0.47"}, {"63.0", 2, "2.48"}, {"6.0", 2, "0.24"}, {"1000.0", 2, "39.37"},
        {"25.4", 2, "1.00"}, {"-5.0", 2, "0.00"}, {"50.0", 1, "2.0"}, {"abc", 2, "0.00"},
        {"12,5", 2, "0.47"},  // reading stops at the comma: 12 mm
    };
    for (const auto& c : cases) EXPECT_EQ(rules::MmTextToInchText(c.mm, c.decimals), c.expected);
}

TEST(RecordToDisplay, BothUnits) {
    EXPECT_EQ(rules::FieldText(rules::TenthsToDisplay(620, false), false, '.'), "62.0");
    EXPECT_EQ(rules::FieldText(rules::TenthsToDisplay(620, true), true, '.'), "2.44");
    EXPECT_EQ(rules::FieldText(rules::TenthsToDisplay(625, false), false, ','), "62,5");
    // 40 dots: 5.005 mm at 203 dpi, 3.387 mm and 0.133 in at 300 dpi.
    EXPECT_EQ(rules::FieldText(rules::DotsToDisplay(40, 203, false), false, '.'), "5.0");
    EXPECT_EQ(rules::FieldText(rules::DotsToDisplay(40, 300, false), false, '.'), "3.4");
    EXPECT_EQ(rules::FieldText(rules::DotsToDisplay(40, 300, true), true, '.'), "0.13");
    EXPECT_EQ(rules::FieldText(rules::DotsToDisplay(-40, 300, false), false, '.'), "0.0");
    EXPECT_EQ(rules::FieldText(rules::SignedDotsToDisplay(-40, 300, false), false, ','), "-3,4");
    EXPECT_EQ(rules::FieldText(rules::SignedDotsToDisplay(-16, 203, true), true, '.'), "-0.08");
    // Gap of 24 dots at 203 dpi: 3.0029 mm, 0.118 in.
    EXPECT_EQ(rules::FieldText(rules::GapDotsToDisplay(24, 203, false), false, '.'), "3.0");
    EXPECT_EQ(rules::FieldText(rules::GapDotsToDisplay(24, 203, true), true, '.'), "0.12");
    EXPECT_EQ(rules::DimensionLabel(62.0f, false, ','), "62,0 mm");
    EXPECT_EQ(rules::DimensionLabel(2.44f, true, '.'), "2.44 \"");
    EXPECT_EQ(rules::DimensionLabelFromText("2,5", false), "2,5 mm");
    EXPECT_EQ(rules::DimensionLabelFromText("0.1", true), "0.1 \"");
    EXPECT_EQ(rules::DotsToDisplay(40, 0, false), 0.0f);  // no resolution, no division
}

TEST(DisplayToRecord, MillimetreAndInchForms) {
    // 50.0 mm at 203 dpi
    EXPECT_EQ(rules::TenthsFromDisplay(50000, false), 500);
    EXPECT_EQ(rules::DotsFromTenths(500, 203), 400);
    EXPECT_EQ(rules::DotsFromDisplay(2000, 203, false), 16);
    EXPECT_EQ(rules::DotsFromDisplay(46000, 203, false), 368);
    EXPECT_EQ(rules::TenthsFromDots(368, 203), 460);
    EXPECT_EQ(rules::WholeMillimetres(50000, false), 50);
    EXPECT_EQ(rules::WholeMillimetres(49499, false), 49);
    // 2.00 in at 300 dpi
    EXPECT_EQ(rules::TenthsFromDisplay(2000, true), 508);
    EXPECT_EQ(rules::DotsFromDisplay(2000, 300, true), 600);
    EXPECT_EQ(rules::WholeMillimetres(2000, true), 51);
    EXPECT_EQ(rules::WholeMillimetres(1970, true), 50);
    // 1000 mm at 300 dpi needs more than 32 bits on the way.
    EXPECT_EQ(rules::DotsFromDisplay(1000000, 300, false), 11811);
    EXPECT_EQ(rules::DotsFromTenths(10000, 300), 11811);
    EXPECT_EQ(rules::TenthsFromDots(100, 0), 0);
}

TEST(DisplayToRecord, SevenHundredMillimetreRule) {
    // Up to 700 mm: the general form; above: the shorter product, rounded at two digits.
    EXPECT_EQ(rules::DotsFromLongMillimetres(700000, 203),
              rules::DotsFromDisplay(700000, 203, false));
    EXPECT_EQ(rules::DotsFromLongMillimetres(800000, 300),
              rules::RoundScaled(800000LL * 300 / 254, 2));
    EXPECT_EQ(rules::DotsFromLongMillimetres(-800000, 300),
              -rules::DotsFromLongMillimetres(800000, 300));
    EXPECT_EQ(rules::DotsFromLongMillimetres(-2000, 203), -16);
    EXPECT_EQ(rules::DotsFromLongMillimetres(1000000, 300), 11811);
}

// The millimetre column is what the spin buttons step to and the range labels show;
// the save checks take the column of the unit.
TEST(EditorLimits, PerModelInBothUnits) {
    struct Case {
        const char* what;
        rules::Range rules::EditorLimits::*range;
        rules::Bound lower203, upper203, lower300, upper300;
    };
    using L = rules::EditorLimits;
    const Case cases[] = {
        {"width", &L::width, {11900, 470}, {63000, 2480}, {11900, 470}, {63000, 2480}},
        {"length", &L::length, {6000, 240}, {1000000, 39370}, {6000, 240}, {1000000, 39370}},
        {"marked length",
         &L::markedLength,
         {25400, 1000},
         {1000000, 39370},
         {25400, 1000},
         {1000000, 39370}},
        {"gap", &L::gap, {3000, 120}, {1000000, 39370}, {3000, 120}, {1000000, 39370}},
        {"mark length", &L::markLength, {2000, 80}, {1000000, 39370}, {2000, 80}, {1000000, 39370}},
        {"mark offset",
         &L::markOffset,
         {-1000000, -39370},
         {1000000, 39370},
         {-1000000, -39370},
         {1000000, 39370}},
        {"right margin", &L::rightMargin, {0, 0}, {56000, 2200}, {0, 0}, {56800, 2240}},
        {"left margin", &L::leftMargin, {0, 0}, {56000, 2200}, {0, 0}, {56800, 2240}},
        {"top margin", &L::topMargin, {0, 0}, {1000000, 39370}, {0, 0}, {1000000, 39370}},
    };
    const auto same = [](const rules::Bound& a, const rules::Bound& b) {
        return a.mm == b.mm && a.inch == b.inch;
    };
    const rules::EditorLimits at203 = rules::LimitsOf(papertable::k203DpiLimits);
    const rules::EditorLimits at300 = rules::LimitsOf(papertable::k300DpiLimits);
    for (const auto& c : cases) {
        EXPECT_TRUE(same((at203.*c.range).lower, c.lower203)) << c.what;
        EXPECT_TRUE(same((at203.*c.range).upper, c.upper203)) << c.what;
        EXPECT_TRUE(same((at300.*c.range).lower, c.lower300)) << c.what;
        EXPECT_TRUE(same((at300.*c.range).upper, c.upper300)) << c.what;
    }
    EXPECT_TRUE(same(at203.maxPrintWidth, {56000, 2200}));
    EXPECT_TRUE(same(at300.maxPrintWidth, {56800, 2200}));
    EXPECT_DOUBLE_EQ(at300.rightMargin.upper.Millimetres(), 56.8);
    EXPECT_DOUBLE_EQ(at203.width.lower.Millimetres(), 11.9);
}

TEST(SaveLimits, PerUnitAndKind) {
    const auto k203 = rules::LimitsOf(papertable::k203DpiLimits);
    const auto k300 = rules::LimitsOf(papertable::k300DpiLimits);
    const auto mm75 = rules::ComputeSaveLimits(k203, false, 75, 62000, 4000);
    EXPECT_EQ(mm75.widthMin, 11900);
    EXPECT_EQ(mm75.widthMax, 63000);
    EXPECT_EQ(mm75.lengthMin, 6000);
    EXPECT_EQ(mm75.lengthMax, 1000000);
    EXPECT_EQ(mm75.gapMin, 3000);
    EXPECT_EQ(mm75.minSideMargin, 3000);  // (62000 - 56000) / 2
    EXPECT_EQ(mm75.usableWidth, 61800);
    EXPECT_EQ(mm75.minTopBottom, 0);
    EXPECT_EQ(mm75.maxTopPlusBottom, 3800);

    const auto mm76 = rules::ComputeSaveLimits(k203, false, 76, 50000, 30000);
    EXPECT_EQ(mm76.lengthMin, 25400);
    EXPECT_EQ(mm76.markLengthMin, 2000);
    EXPECT_EQ(mm76.markLengthMax, 30000);
    EXPECT_EQ(mm76.markOffsetMin, -30000);
    EXPECT_EQ(mm76.markOffsetMax, 30000);
    EXPECT_EQ(mm76.minSideMargin, 0);
    EXPECT_EQ(mm76.minTopBottom, 3000);

    const auto mm74 = rules::ComputeSaveLimits(k203, false, 74, 50000, 0);
    EXPECT_EQ(mm74.minTopBottom, 3000);
    EXPECT_EQ(mm74.maxTopPlusBottom, 127000);

    const auto in75 = rules::ComputeSaveLimits(k300, true, 75, 2400, 1000);
    EXPECT_EQ(in75.widthMin, 470);
    EXPECT_EQ(in75.widthMax, 2480);
    EXPECT_EQ(in75.lengthMin, 240);
    EXPECT_EQ(in75.lengthMax, 39370);
    EXPECT_EQ(in75.gapMin, 120);
    EXPECT_EQ(in75.gapMax, 39370);
    EXPECT_EQ(in75.usableWidth, 2380);
    EXPECT_EQ(in75.minSideMargin, 100);  // (2400 - 2200) / 2
    EXPECT_EQ(in75.maxTopPlusBottom, 980);

    // An odd difference loses its half: the smallest margin is rounded down.
    EXPECT_EQ(rules::ComputeSaveLimits(k203, false, 75, 62001, 4000).minSideMargin, 3000);
    EXPECT_EQ(rules::ComputeSaveLimits(k203, false, 75, 62003, 4000).minSideMargin, 3001);
    EXPECT_EQ(rules::ComputeSaveLimits(k300, true, 75, 2451, 1000).minSideMargin, 125);
    EXPECT_EQ(rules::ComputeSaveLimits(k300, false, 75, 56801, 4000).minSideMargin, 0);

    const auto in76 = rules::ComputeSaveLimits(k300, true, 76, 2000, 1500);
    EXPECT_EQ(in76.lengthMin, 1000);
    EXPECT_EQ(in76.markLengthMin, 80);
    EXPECT_EQ(in76.minTopBottom, 120);
    const auto in74 = rules::ComputeSaveLimits(k300, true, 74, 2000, 0);
    EXPECT_EQ(in74.maxTopPlusBottom, 5000);
}

TEST(RangeTexts, BothUnitsAndSeparators) {
    const auto limits = rules::LimitsOf(papertable::k203DpiLimits);
    EXPECT_EQ(rules::RangeLabel(limits.width, false, '.'), "[ 11.9 - 63.0 ]");
    EXPECT_EQ(rules::RangeLabel(limits.width, false, ','), "[ 11,9 - 63,0 ]");
    EXPECT_EQ(rules::RangeLabel(limits.width, true, '.'), "[ 0.47 - 2.48 ]");
    EXPECT_EQ(rules::RangeLabel(limits.length, false, '.'), "[ 6.0 - 1000.0 ]");
    EXPECT_EQ(rules::RangeLabel(limits.markedLength, false, '.'), "[ 25.4 - 1000.0 ]");
    EXPECT_EQ(rules::RangeLabel(limits.length, true, '.'), "[ 0.24 - 39.37 ]");
    EXPECT_EQ(rules::RangeLabel(limits.markedLength, true, ','), "[ 1,00 - 39,37 ]");
    EXPECT_EQ(rules::RangeLine(6000, 1000000, false, '.'), "\n( 6.0mm - 1000.0mm )");
    EXPECT_EQ(rules::RangeLine(3000, 127000, false, ','), "\n( 3,0mm - 127,0mm )");
    EXPECT_EQ(rules::RangeLine(240, 39370, true, '.'), "\n( 0.24\" - 39.37\" )");
    EXPECT_EQ(rules::RangeLine(-30000, 30000, false, '.'), "\n( -30.0mm - 30.0mm )");
    // Exact halves, which a double holds as a little less or a little more.
    EXPECT_EQ(rules::RangeLine(3250, 59050, false, '.'), "\n( 3.3mm - 59.1mm )");
    EXPECT_EQ(rules::RangeLine(125, 2305, true, ','), "\n( 0,13\" - 2,31\" )");
    EXPECT_EQ(rules::RangeLine(-5910, -50, true, '.'), "\n( -5.91\" - -0.05\" )");
    EXPECT_EQ(rules::RangeLine(-150, 49, false, '.'), "\n( -0.2mm - 0.0mm )");
    EXPECT_EQ(rules::UnitLabel(false), "mm");
    EXPECT_EQ(rules::UnitLabel(true), "\"");
}

// The one rule for the numbers a field takes, which the editor's typing filter and
// velkorctl's options both apply.
TEST(FieldNumbers, CharactersDecimalsSignAndLimit) {
    struct Case {
        const char* text;
        bool inch;
        bool isSigned;
        char separator;
        bool charactersFit;
        bool valueFits;
    };
    const Case cases[] = {
        {"", false, false, '.', true, true},
        {"50.0", false, false, '.', true, true},
        {"50.05", false, false, '.', false, true},  // a second decimal in millimetres
        {"1.97", true, false, '.', true, true},
        {"1.975", true, false, '.', false, true},  // a third decimal in inches
        {"30,5", false, false, ',', true, true},
        {"30.5", false, false, ',', false, true},  // not the locale's separator
        {"1.2.3", false, false, '.', false, true},
        {"9999.9", false, false, '.', true, true},
        {"999999", false, false, '.', true, false},    // above 9999.9
        {"1234567", false, false, '.', false, false},  // seven characters
        {"-12.5", false, true, '.', true, true},
        {"-12.5", false, false, '.', false, true},  // a sign only where the field is signed
        {"1-2", false, true, '.', false, true},
        {"-99999", false, true, '.', true, false},
        {"12a", false, false, '.', false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rules::FieldCharactersFit(c.text, c.inch, c.isSigned, c.separator),
                  c.charactersFit)
            << c.text;
        EXPECT_EQ(rules::FieldValueFits(c.text, c.isSigned), c.valueFits) << c.text;
    }
    EXPECT_EQ(rules::FieldDecimals(false), 1);
    EXPECT_EQ(rules::FieldDecimals(true), 2);
}

}  // namespace
