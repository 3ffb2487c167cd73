#include "velkor/mainwindow/paper_details.h"

#include <gtest/gtest.h>

#include "win/codepage.h"

namespace {

using mainwindow::FormatPaperDetails;
using mainwindow::PaperDetails;

papertable::PaperRecord Paper(int16_t type, int16_t width, int16_t length, uint8_t energy) {
    papertable::PaperRecord paper;
    paper.nType = type;
    paper.nPaperWidth = width;
    paper.nPaperLength = length;
    paper.byEnergyRank = energy;
    return paper;
}

TEST(PaperDetails, WidthLengthAndEnergyInEachUnit) {
    struct Case {
        int16_t type, width, length;
        bool inch;
        char separator;
        PaperDetails expected;
    };
    const Case cases[] = {
        {75, 500, 300, false, '.', {"50.0 mm", "30.0 mm", "2"}},
        {75, 500, 300, false, ',', {"50,0 mm", "30,0 mm", "2"}},
        {75, 500, 300, true, '.', {"1.97 \"", "1.18 \"", "2"}},  // 1.9685, 1.1811
        {75, 500, 300, true, ',', {"1,97 \"", "1,18 \"", "2"}},
        {76, 620, 254, true, '.', {"2.44 \"", "1.00 \"", "2"}},  // marked labels have a length
        {74, 500, 300, false, '.', {"50.0 mm", "-- mm", "2"}},   // a roll has none
        {74, 500, 300, true, ',', {"1,97 \"", "-- \"", "2"}},
        {75, 505, 1, false, '.', {"50.5 mm", "0.1 mm", "2"}},
        {75, -5, 0, true, '.', {"0.00 \"", "0.00 \"", "2"}},   // negative shows as 0
        {75, 596, 0, true, '.', {"2.35 \"", "0.00 \"", "2"}},  // 2.3465: third digit rounds up
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatPaperDetails(Paper(c.type, c.width, c.length, 2), c.inch, c.separator),
                  c.expected)
            << c.width << " " << c.inch << " " << c.separator;
    }
}

TEST(PaperDetails, EnergyRankIsUnsigned) {
    EXPECT_EQ(FormatPaperDetails(Paper(75, 0, 0, 255), false, '.').energy, "255");
    EXPECT_EQ(FormatPaperDetails(Paper(75, 0, 0, 0), false, '.').energy, "0");
}

TEST(PaperDetails, ListLineTakesTheNameOfTheUnit) {
    papertable::PaperRecord paper;
    ASSERT_TRUE(win::AnsiToWide("Label 50 x 30 mm", paper.szPaperName_mm));
    ASSERT_TRUE(win::AnsiToWide("Label 2 x 1.2 in", paper.szPaperName_inch));
    EXPECT_EQ(mainwindow::PaperListLine(paper, false), "Label 50 x 30 mm");
    EXPECT_EQ(mainwindow::PaperListLine(paper, true), "Label 2 x 1.2 in");
    // A name filling all 31 units still fits the line.
    ASSERT_TRUE(win::AnsiToWide(std::string(31, 'W'), paper.szPaperName_mm));
    EXPECT_EQ(mainwindow::PaperListLine(paper, false), std::string(31, 'W'));
}

}  // namespace
