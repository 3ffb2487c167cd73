#include "family/source_compiler.h"

#include <gtest/gtest.h>

#include "family_test_util.h"
#include "papertable/source_reader.h"

namespace family {
namespace {

using family_test::kAbsent;
using family_test::PaperSection;

CompileResult Compile(const std::string& text) {
    return CompileSource(papertable::ProfileFile::Parse(text));
}

std::u16string Wide(const char16_t* text) {
    return text;
}

TEST(SourceCompiler, CompilesEveryShippedSource) {
    struct Case {
        const char* file;
        size_t papers;
        uint8_t modelCode;
        uint16_t resolution;
    };
    for (const Case& c : {Case{"kvx510ad.txt", 13, 0x51, 203}, Case{"kvx520ad.txt", 13, 0x52, 300},
                          Case{"kvx610ad.txt", 15, 0x61, 203}, Case{"kvx620ad.txt", 15, 0x62, 300},
                          Case{"kvx510ed.txt", 0, 0x51, 203}, Case{"kvx620ed.txt", 0, 0x62, 300}}) {
        SCOPED_TRACE(c.file);
        const auto result = Compile(family_test::ReadDataFile(c.file));
        ASSERT_TRUE(result.errors.empty()) << result.errors.front();
        ASSERT_TRUE(result.table);
        EXPECT_EQ(result.table->papers.size(), c.papers);
        EXPECT_EQ(result.table->device.bySeriesCode, 0x41);
        EXPECT_EQ(result.table->device.byModelCode, c.modelCode);
        EXPECT_EQ(result.table->device.wResolutionX, c.resolution);
        EXPECT_EQ(result.table->device.wResolutionY, c.resolution);
        const uint16_t head = c.resolution == 203 ? 448 : 672;
        for (const auto& paper : result.table->papers) {
            EXPECT_LT(paper.nPaperSize, 513);
            EXPECT_LE(paper.nImageAreaWidthRes, head);
            EXPECT_LE(paper.nPhysicalOffsetX + paper.nImageAreaWidthRes, paper.nPaperWidthRes);
        }
    }
}

TEST(SourceCompiler, PlacesFieldsAndDerivedValues) {
    const auto result = Compile(family_test::ReadDataFile("kvx510ad.txt"));
    ASSERT_TRUE(result.table);
    const auto& device = result.table->device;
    EXPECT_STREQ(device.dmDeviceName, "Ostrel LM-510");
    EXPECT_STREQ(device.szOutputFileName, "kvx510ad.lyt");
    EXPECT_EQ(+device.dwHeadPinNum, 448u);  // a copy: the field is not aligned
    EXPECT_EQ(device.nDefaultPaperLength, 1000);
    EXPECT_EQ(device.nDefaultPaperLengthRes, 799);

    const auto& roll = result.table->papers[0];  // Continuous 62mm
    EXPECT_EQ(Wide(roll.szPaperName_mm), u"Continuous 62mm");
    EXPECT_EQ(roll.nType, 74);
    EXPECT_EQ(roll.nPaperWidthRes, 496);
    EXPECT_EQ(roll.nPaperLength, 0);
    EXPECT_EQ(roll.flags, kLytFlagLengthRange);
    EXPECT_EQ(roll.bySensing, kLytSensingContinuous);

    const auto& round = result.table->papers[9];  // 40mm x 40mm Round, clipped
    EXPECT_EQ(round.flags, kLytFlagClip);
    EXPECT_GT(round.nClipInfoRight, round.nClipInfoLeft);

    const auto& mark = result.table->papers[12];  // 50mm x 80mm Black Mark
    EXPECT_EQ(mark.nType, 75);
    EXPECT_EQ(mark.bySensing, kLytSensingMark);
    EXPECT_EQ(mark.markLength, 24);
    EXPECT_EQ(mark.adjustStep1, -1);
    EXPECT_EQ(mark.adjustStep2, 2);
    EXPECT_EQ(mark.byEnergyRank, 7);
}

TEST(SourceCompiler, AcceptsWhatTheProgramWrites) {
    const auto result =
        Compile(family_test::DeviceSections() +
                PaperSection(0, {{"szSizeIN", kAbsent},
                                 {"szPaperLengthString_inch", ""},
                                 {"nPhysicalOffsetX", "-5"},
                                 {"wPinOffsetLeft", "65535"},
                                 {"dwPaperAbility01", "0x0000040b"},
                                 {"reserved_12_", "12,0,240,255,200,0,2,,0,-2,1,0"}}));
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    const auto& paper = result.table->papers.at(0);
    EXPECT_EQ(paper.nPhysicalOffsetX, -5);
    EXPECT_EQ(paper.wPinOffsetLeft, 65535);
    EXPECT_EQ(paper.flags, kLytFlagLengthRange | kLytFlagTurned | kLytFlagClip);
    EXPECT_EQ(paper.markOffset, -16);
    EXPECT_EQ(paper.markLength, 200);
    EXPECT_EQ(paper.bySensing, kLytSensingMark);
    EXPECT_EQ(paper.adjustStep1, -2);
    EXPECT_EQ(paper.adjustStep2, 1);
}

TEST(SourceCompiler, PapersEndAtTheFirstMissingSection) {
    const auto result = Compile(family_test::DeviceSections() + PaperSection(0) + PaperSection(1) +
                                PaperSection(3));
    ASSERT_TRUE(result.table);
    EXPECT_EQ(result.table->papers.size(), 2u);
}

TEST(SourceCompiler, RefusesFaultyPapers) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> changes;
        const char* expected;  // part of the first error
    };
    const Case cases[] = {
        {"missing name", {{"szPaperName_mm", kAbsent}}, "szPaperName_mm: missing"},
        {"empty name", {{"szPaperName_inch", ""}}, "szPaperName_inch: missing"},
        {"missing integer", {{"nPaperWidth", kAbsent}}, "nPaperWidth: missing"},
        {"missing text", {{"MediaAtrInfo", kAbsent}}, "MediaAtrInfo: missing"},
        {"name of 32 characters", {{"szPaperName_mm", std::string(32, 'n')}}, "longer than 31"},
        {"inch string of 16",
         {{"szPaperWidthString_inch", std::string(16, '1')}},
         "longer than 15"},
        {"int16 too large", {{"nPaperWidth", "32768"}}, "out of range"},
        {"int16 too small", {{"nPhysicalOffsetY", "-32769"}}, "out of range"},
        {"negative unsigned", {{"wSplit", "-1"}}, "out of range"},
        {"byte too large", {{"byEnergyRank", "256"}}, "out of range"},
        {"not a number", {{"nPaperLength", "30mm"}}, "not a number"},
        {"hex too wide", {{"dwPaperAbility01", "0x100000000"}}, "not a number"},
        {"unknown sensing", {{"reserved_12_", "0,0,0,0,0,0,3,0,0,0,0,0"}}, "item 6"},
        {"step too large", {{"reserved_12_", "0,0,0,0,0,0,1,0,0,200,0,0"}}, "adjustment"},
        {"item not a number", {{"reserved_12_", "0,x,0"}}, "item 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto result = Compile(family_test::DeviceSections() + PaperSection(0, c.changes));
        EXPECT_FALSE(result.table);
        ASSERT_FALSE(result.errors.empty());
        EXPECT_NE(result.errors.front().find("[Paper00]"), std::string::npos);
        EXPECT_NE(result.errors.front().find(c.expected), std::string::npos)
            << result.errors.front();
    }
}

TEST(SourceCompiler, RefusesFaultyDevices) {
    struct Case {
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"bySeriesCode=0x41", "bySeriesCode=0x141", "bySeriesCode"},
        {"byModelCode=0x51", "byModelCode=zz", "byModelCode"},
        {"wResolutions=203,203", "wResolutions=203,x", "wResolutions"},
        {"wResolutions=203,203", "wResolutions=", "wResolutions: missing"},
        {"OutputFileName=kvx510ed.lyt", "OutputFileName=a-very-long-name.lyt", "OutputFileName"},
        {"nDefaultPaperLength=1000", "nDefaultPaperLength=40000", "nDefaultPaperLength"},
        {"ModelVersion=1.02\r\n", "", "ModelVersion: missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        std::string text = family_test::DeviceSections();
        text.replace(text.find(c.from), std::string_view(c.from).size(), c.to);
        const auto result = Compile(text);
        EXPECT_FALSE(result.table);
        ASSERT_FALSE(result.errors.empty());
        EXPECT_NE(result.errors.front().find(c.expected), std::string::npos)
            << result.errors.front();
    }
}

TEST(SourceCompiler, HundredPapersFitAndOneMoreDoesNot) {
    const auto hundred = Compile(family_test::SourceWithPapers(100));
    ASSERT_TRUE(hundred.table);
    EXPECT_EQ(hundred.table->papers.size(), 100u);
    const auto more = Compile(family_test::SourceWithPapers(101));
    EXPECT_FALSE(more.table);
    ASSERT_EQ(more.errors.size(), 1u);
    EXPECT_NE(more.errors[0].find("more than 100"), std::string::npos);
}

TEST(SourceCompiler, RefusesTextThatIsNoSource) {
    for (const char* text : {"", "garbage\x01\x02\xff", "[Version]\r\nFormatVersion=1\r\n"}) {
        const auto result = Compile(text);
        EXPECT_FALSE(result.table);
        EXPECT_FALSE(result.errors.empty());
    }
}

TEST(SourceInteger, ReadsDecimalAndHexadecimalOnly) {
    struct Case {
        const char* text;
        std::optional<int64_t> value;
    };
    const Case cases[] = {{"0", 0},
                          {"-5", -5},
                          {" 42 ", 42},
                          {"0x4b", 0x4b},
                          {"0X4B", 0x4b},
                          {"0xffffffff", 0xffffffffll},
                          {"", std::nullopt},
                          {"-", std::nullopt},
                          {"0x", std::nullopt},
                          {"4b", std::nullopt},
                          {"+5", std::nullopt},
                          {"-0x5", std::nullopt},
                          {"1 2", std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSourceInteger(c.text), c.value) << c.text;
    }
    EXPECT_EQ(ParseCode("0x41"), 0x41);
    EXPECT_EQ(ParseCode("1F"), 0x1F);
    EXPECT_EQ(ParseCode("0xg"), std::nullopt);
}

}  // namespace
}  // namespace family

namespace family {
namespace {

// The shipped sources are read whole by the program's own reader too, and it sees
// the same papers as the compiler.
TEST(SourceCompiler, ProgramReaderAgreesOnShippedSources) {
    for (const char* file : {"kvx510ad.txt", "kvx520ad.txt", "kvx610ad.txt", "kvx620ad.txt",
                             "kvx510ed.txt", "kvx520ed.txt", "kvx610ed.txt", "kvx620ed.txt"}) {
        SCOPED_TRACE(file);
        const auto profile = papertable::ProfileFile::Parse(family_test::ReadDataFile(file));
        papertable::DeviceRecord device;
        EXPECT_TRUE(papertable::ReadDevice(profile, device));
        EXPECT_NE(device.modelSectionText.find("wSensorKinds=3"), std::string::npos);
        const auto compiled = CompileSource(profile);
        ASSERT_TRUE(compiled.table);
        const auto& papers = compiled.table->papers;
        for (size_t i = 0; i <= papers.size(); ++i) {
            papertable::PaperRecord paper;
            const bool read = papertable::ReadPaperRecord(profile, static_cast<int>(i), paper);
            ASSERT_EQ(read, i < papers.size()) << i;
            if (!read) break;
            EXPECT_EQ(paper.nPaperSize, papers[i].nPaperSize);
            EXPECT_EQ(paper.nType, papers[i].bySensing == kLytSensingMark ? 76 : papers[i].nType);
            EXPECT_EQ(paper.markLength, papers[i].markLength);
            EXPECT_EQ(paper.editLocked, false);
        }
    }
}

}  // namespace
}  // namespace family
