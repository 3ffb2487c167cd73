#include "family/paper_data.h"

#include <gtest/gtest.h>

#include <cstring>

#include "family/source_compiler.h"
#include "family/table_file.h"
#include "family_test_util.h"

namespace family {
namespace {

PaperInfoRecord Label() {
    PaperInfoRecord paper{};
    paper.szPaperName_mm[0] = u'L';
    paper.szPaperName_inch[0] = u'L';
    paper.nType = 75;
    paper.nPaperSize = 513;
    paper.nPaperWidth = 500;
    paper.nPaperWidthRes = 400;
    paper.nImageAreaWidthRes = 368;
    paper.nPaperLength = 300;
    paper.nPaperLengthRes = 240;
    paper.nImageAreaLengthRes = 216;
    paper.nPhysicalOffsetX = 16;
    paper.nPhysicalOffsetY = 12;
    paper.lblPitchDot = 264;
    paper.byEnergyRank = 5;
    paper.bySensing = kLytSensingGap;
    return paper;
}

TEST(PaperData, MediaRecordPerKind) {
    struct Case {
        const char* what;
        void (*change)(PaperInfoRecord&);
        uint8_t kind;
        uint16_t lengthDots;
        uint16_t gapOrMark;
        int16_t markOffset;
        uint8_t energy;
    };
    const Case cases[] = {
        {"gap label", [](PaperInfoRecord&) {}, kLytSensingGap, 240, 24, 0, 5},
        {"pitch not above length", [](PaperInfoRecord& p) { p.lblPitchDot = 240; }, kLytSensingGap,
         240, 0, 0, 5},
        {"mark",
         [](PaperInfoRecord& p) {
             p.bySensing = kLytSensingMark;
             p.markLength = 24;
             p.markOffset = -16;
         },
         kLytSensingMark, 240, 24, -16, 5},
        {"continuous",
         [](PaperInfoRecord& p) {
             p.bySensing = kLytSensingContinuous;
             p.nPaperLength = p.nPaperLengthRes = p.nImageAreaLengthRes = 0;
             p.byEnergyRank = 12;
         },
         kLytSensingContinuous, 0, 0, 0, 10},
    };
    for (const Case& c : cases) {
        PaperInfoRecord paper = Label();
        c.change(paper);
        const auto media = BuildMediaRecord(paper, nullptr);
        ASSERT_TRUE(media) << c.what;
        EXPECT_EQ(media->paperId, 513) << c.what;
        EXPECT_EQ(media->kind, c.kind) << c.what;
        EXPECT_EQ(media->widthDots, 400) << c.what;
        EXPECT_EQ(media->lengthDots, c.lengthDots) << c.what;
        EXPECT_EQ(media->gapOrMarkDots, c.gapOrMark) << c.what;
        EXPECT_EQ(media->markOffsetDots, c.markOffset) << c.what;
        EXPECT_EQ(media->energyRank, c.energy) << c.what;
    }
}

TEST(PaperData, RefusesOnlyWhatNoCompiledTableHolds) {
    const std::pair<const char*, void (*)(PaperInfoRecord&)> cases[] = {
        {"no width in dots", [](PaperInfoRecord& p) { p.nPaperWidthRes = 0; }},
        {"no width in 0.1 mm", [](PaperInfoRecord& p) { p.nPaperWidth = 0; }},
        {"unknown kind", [](PaperInfoRecord& p) { p.bySensing = 3; }},
    };
    for (const auto& [what, change] : cases) {
        PaperInfoRecord paper = Label();
        change(paper);
        std::string error;
        EXPECT_FALSE(BuildMediaRecord(paper, &error)) << what;
        EXPECT_NE(error.find("paper 513"), std::string::npos) << what;
    }
}

// Whatever the compiler compiled is converted: negative values as they are, and a
// continuous paper's unused lengths, whatever they hold, left out.
TEST(PaperData, CarriesEveryValueOfACompiledPaper) {
    PaperInfoRecord label = Label();
    label.nPaperWidth = -500;
    label.nPaperWidthRes = -400;
    label.nImageAreaWidthRes = -1;
    label.nPhysicalOffsetX = -16;
    label.nPhysicalOffsetY = -32768;
    label.nPaperLength = -300;
    label.nPaperLengthRes = -240;
    label.nVirtualOffsetY = -7;
    auto media = BuildMediaRecord(label, nullptr);
    ASSERT_TRUE(media);
    EXPECT_EQ(media->width, -500);
    EXPECT_EQ(media->widthDots, -400);
    EXPECT_EQ(media->printableWidthDots, -1);
    EXPECT_EQ(media->offsetXDots, -16);
    EXPECT_EQ(media->offsetYDots, -32768);
    EXPECT_EQ(media->length, -300);
    EXPECT_EQ(media->lengthDots, -240);
    EXPECT_EQ(media->virtualOffsetYDots, -7);
    EXPECT_EQ(media->gapOrMarkDots, 264 + 240);  // pitch beyond a negative length

    PaperInfoRecord roll = Label();
    roll.bySensing = kLytSensingContinuous;
    roll.nPaperLength = -1;
    roll.nPaperLengthRes = -32768;
    roll.nImageAreaLengthRes = 12345;
    media = BuildMediaRecord(roll, nullptr);
    ASSERT_TRUE(media);
    EXPECT_EQ(media->length, 0);
    EXPECT_EQ(media->lengthDots, 0);
    EXPECT_EQ(media->printableLengthDots, 0);

    PaperInfoRecord noLength = Label();  // a label of length 0 is carried too
    noLength.nPaperLengthRes = 0;
    media = BuildMediaRecord(noLength, nullptr);
    ASSERT_TRUE(media);
    EXPECT_EQ(media->lengthDots, 0);
}

TEST(PaperData, FileHoldsHeaderRecordsAndChecksum) {
    const auto compiled =
        CompileSource(SourceReader::Parse(family_test::ReadDataFile("kvx520ad.txt")));
    ASSERT_TRUE(compiled.table);
    const auto bytes = BuildPaperData(compiled.table->device, compiled.table->papers, nullptr);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 16 + 13 * 32 + 4u);
    PaperDataHeader header;
    std::memcpy(&header, bytes->data(), sizeof header);
    EXPECT_EQ(std::string(header.magic, 4), "KVMD");
    EXPECT_EQ(header.seriesCode, 0x41);
    EXPECT_EQ(header.modelCode, 0x52);
    EXPECT_EQ(header.mediaCount, 13);
    EXPECT_EQ(header.resolutionY, 300);
    uint32_t crc;
    std::memcpy(&crc, bytes->data() + bytes->size() - 4, 4);
    EXPECT_EQ(crc, Crc32(std::string_view(*bytes).substr(0, bytes->size() - 4)));

    const auto empty = BuildPaperData(compiled.table->device, {}, nullptr);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->size(), 20u);

    auto papers = compiled.table->papers;
    papers[3].nPaperWidthRes = 0;
    std::string error;
    EXPECT_FALSE(BuildPaperData(compiled.table->device, papers, &error));
}

}  // namespace
}  // namespace family
