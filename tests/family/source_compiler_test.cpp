#include "family/source_compiler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "family_test_util.h"
#include "papertable/source_reader.h"

namespace family {
namespace {

using family_test::kAbsent;
using family_test::PaperSection;

CompileResult Compile(const std::string& text) {
    return CompileSource(SourceReader::Parse(text));
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
        EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
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
                                 {"nType", "0xffffffff"},  // -1 as "0x%x" writes it
                                 {"nPhysicalOffsetX", "-5"},
                                 {"wPinOffsetLeft", "65535"},
                                 {"dwPaperAbility01", "0x0000040b"},
                                 {"reserved_12_", "12,0,240,255,200,0,2,,0,-2,1,0"}}));
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
    const auto& paper = result.table->papers.at(0);
    EXPECT_EQ(paper.nType, -1);
    EXPECT_EQ(paper.nPhysicalOffsetX, -5);
    EXPECT_EQ(paper.wPinOffsetLeft, 65535);
    EXPECT_EQ(paper.flags, kLytFlagLengthRange | kLytFlagTurned | kLytFlagClip);
    EXPECT_EQ(paper.markOffset, -16);
    EXPECT_EQ(paper.markLength, 200);
    EXPECT_EQ(paper.bySensing, kLytSensingMark);
    EXPECT_EQ(paper.adjustStep1, -2);
    EXPECT_EQ(paper.adjustStep2, 1);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& part) {
    for (const auto& line : lines) {
        if (line.find(part) != std::string::npos) return true;
    }
    return false;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "\n  " + line;
    return text;
}

// Values the program's reader takes leniently are compiled as it holds them, each
// with a warning that names the section and the key.
TEST(SourceCompiler, LenientPaperValuesAreCompiledAsTheProgramReadsThem) {
    struct Case {
        std::map<std::string, std::string> changes;
        int64_t (*field)(const PaperInfoRecord&);
        int64_t expected;
        const char* warning;  // part of a warning line; "" for none
    };
    const Case cases[] = {
        {{{"nPaperLength", "40000"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nPaperLength; },
         -25536,
         "[Paper00] nPaperLength: \"40000\" read as -25536 (cut to 16 bits)"},
        {{{"nPaperLength", "30mm"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nPaperLength; },
         30,
         "[Paper00] nPaperLength: \"30mm\" read as 30 (text after the number ignored)"},
        {{{"nPaperLength", "abc"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nPaperLength; },
         0,
         "(not a number)"},
        {{{"nPaperLength", kAbsent}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nPaperLength; },
         0,
         "[Paper00] nPaperLength: missing, read as 0"},
        {{{"nMaxFeed", ""}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nMaxFeed; },
         0,
         "[Paper00] nMaxFeed: empty, read as 0"},
        {{{"nPaperWidth", "0x12345"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nPaperWidth; },
         0x2345,
         "cut to 16 bits"},
        {{{"nType", "0x4c"}},  // kind 76 as a file may hold it is kept as written
         [](const PaperInfoRecord& p) -> int64_t { return p.nType; },
         76,
         ""},
        {{{"nType", "0x4b"}, {"reserved_12_", "0,0,0,0,0,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.nType; },
         75,
         ""},
        {{{"wSplit", "-1"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.wSplit; },
         65535,
         "[Paper00] wSplit: \"-1\" read as 65535 (cut to 16 bits)"},
        {{{"byEnergyRank", "258"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.byEnergyRank; },
         2,
         "[Paper00] byEnergyRank: \"258\" read as 2 (cut to 8 bits)"},
        {{{"dwPaperAbility01", "0x10000000b"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.flags; },
         0x0b,
         "(more than 32 bits)"},
        {{{"lblPitchDot", std::string(40, '0') + "7"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.lblPitchDot; },
         0,
         "(only the first 29 characters read)"},
        {{{"reserved_12_", "12,0,+16,0,200,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.markOffset; },
         16,
         "[Paper00] reserved_12_: item 2 \"+16\" read as 16"},
        {{{"reserved_12_", "12,0,0x10,0,200,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.markOffset; },
         0,
         "item 2 \"0x10\" read as 0"},
        {{{"reserved_12_", "12,0, 16,0,200,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.markOffset; },
         16,
         "item 2 \" 16\" read as 16"},
        {{{"reserved_12_", "12,0,0,1000,0,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.markOffset; },
         static_cast<int16_t>(256000 & 0xFFFF),
         "items 2 and 3 give 256000, cut to 16 bits"},
        {{{"reserved_12_", "12,0,0,0,70000,0,2,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.markLength; },
         70000 & 0xFFFF,
         "items 4 and 5 give 70000"},
        {{{"reserved_12_", "12,0,0,0,0,0,1,0,0,300,-200,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.adjustStep1; },
         44,
         "[Paper00] reserved_12_: item 9 (300) cut to 8 bits: 44"},
        {{{"reserved_12_", "12,0,0,0,0,0,1,0,0,300,-200,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.adjustStep2; },
         56,
         "item 10 (-200) cut to 8 bits: 56"},
        {{{"reserved_12_", "0,0,0,0,0,0,1,0,0," + std::string(95, '0') + "5,1"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.adjustStep1 * 100 + p.adjustStep2; },
         0,
         "reserved_12_: only the first 100 of its 116 characters read"},
        {{{"reserved_12_", "0,0,0,0,0,0,3,0,0,0,0,0"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.bySensing; },
         kLytSensingGap,
         "item 6 (3) names no sensing; taken as 1 from nType"},
        {{{"reserved_12_", "0,0,0,0,0,0,-1,0,0,0,0,0"}, {"nType", "0x4a"}},
         [](const PaperInfoRecord& p) -> int64_t { return p.bySensing; },
         kLytSensingContinuous,
         "item 6 (-1) names no sensing; taken as 0 from nType"},
        {{{"reserved_12_", "0,0,0,0,0,0,258,0,0,0,0,0"}},  // not 2: no mark for the program
         [](const PaperInfoRecord& p) -> int64_t { return p.bySensing; },
         kLytSensingGap,
         "item 6 (258)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changes.begin()->first + "=" + c.changes.begin()->second);
        const auto result = Compile(family_test::DeviceSections() + PaperSection(0, c.changes));
        ASSERT_TRUE(result.table) << Lines(result.errors);
        ASSERT_EQ(result.table->papers.size(), 1u);
        EXPECT_EQ(c.field(result.table->papers[0]), c.expected);
        if (*c.warning) {
            EXPECT_TRUE(HasLine(result.warnings, c.warning)) << Lines(result.warnings);
        } else {
            EXPECT_TRUE(result.warnings.empty()) << Lines(result.warnings);
        }
    }
}

TEST(SourceCompiler, LenientDeviceValuesAreCompiledAsTheProgramHoldsThem) {
    struct Case {
        const char* from;
        std::string to;
        int64_t (*field)(const DeviceInfoRecord&);
        int64_t expected;
        const char* warning;
    };
    const Case cases[] = {
        {"bySeriesCode=0x41", "bySeriesCode=0x141",
         [](const DeviceInfoRecord& d) -> int64_t { return d.bySeriesCode; }, 0x41,
         "[Model] bySeriesCode: \"0x141\" read as 0x41 (the low byte"},
        {"bySeriesCode=0x41", "bySeriesCode=41zz",
         [](const DeviceInfoRecord& d) -> int64_t { return d.bySeriesCode; }, 0x41,
         "\"41zz\" read as 0x41"},
        {"byModelCode=0x51", "byModelCode=0x0051",
         [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0x51, ""},
        {"byModelCode=0x51", "byModelCode=51",
         [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0x51, ""},
        {"byModelCode=0x51",
         "byModelCode=", [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0,
         "[Model] byModelCode: missing, read as 0x00"},
        {"byModelCode=0x51", "byModelCode=zz",
         [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0,
         "\"zz\" read as 0x00"},
        {"byModelCode=0x51", "byModelCode=-1",
         [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0xFF,
         "\"-1\" read as 0xFF"},
        {"byModelCode=0x51", "byModelCode=\" \t0x51\"",
         [](const DeviceInfoRecord& d) -> int64_t { return d.byModelCode; }, 0x51,
         "\" \t0x51\" read as 0x51"},
        {"dwHeadPinNum=0x000001c0", "dwHeadPinNum=448 pins",
         [](const DeviceInfoRecord& d) -> int64_t { return d.dwHeadPinNum; }, 448,
         "[Model] dwHeadPinNum: \"448 pins\" read as 448 (text after the number ignored)"},
        {"wMaxCopies=999", "wMaxCopies=70000",
         [](const DeviceInfoRecord& d) -> int64_t { return d.wMaxCopies; }, 70000 & 0xFFFF,
         "[Model] wMaxCopies: \"70000\" read as 4464 (cut to 16 bits)"},
        {"nDefaultPaperLength=1000", "nDefaultPaperLength=40000",
         [](const DeviceInfoRecord& d) -> int64_t { return d.nDefaultPaperLength; }, -25536,
         "cut to 16 bits"},
        {"wResolutions=203,203", "wResolutions=203",
         [](const DeviceInfoRecord& d) -> int64_t { return d.wResolutionY; }, 203, ""},
        {"wResolutions=203,203", "wResolutions=203 dpi,300",
         [](const DeviceInfoRecord& d) -> int64_t { return d.wResolutionY; }, 300,
         "[Model] wResolutions: \"203 dpi,300\" read as 203,300 (text after the number"},
        {"wResolutions=203,203", "wResolutions=203,x",
         [](const DeviceInfoRecord& d) -> int64_t { return d.wResolutionY; }, 203,
         "no second resolution, the first one taken for both"},
        {"dmDeviceName=Ostrel LM-510", "dmDeviceName=" + std::string(40, 'D'),
         [](const DeviceInfoRecord& d) -> int64_t { return std::strlen(d.dmDeviceName); }, 31,
         "[Model] dmDeviceName: cut to 31 bytes"},
        {"OutputFileName=kvx510ed.lyt", "OutputFileName=a-very-long-name.lyt",
         [](const DeviceInfoRecord& d) -> int64_t { return std::strlen(d.szOutputFileName); }, 15,
         "[Version] OutputFileName: cut to 15 bytes: \"a-very-long-nam\""},
        {"ModelVersion=1.02\r\n", "",
         [](const DeviceInfoRecord& d) -> int64_t { return std::strlen(d.szModelVersion); }, 0,
         "[Version] ModelVersion: missing, left empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        std::string text = family_test::DeviceSections() + PaperSection(0);
        text.replace(text.find(c.from), std::string_view(c.from).size(), c.to);
        const auto result = Compile(text);
        ASSERT_TRUE(result.table) << Lines(result.errors);
        EXPECT_EQ(c.field(result.table->device), c.expected);
        if (*c.warning) {
            EXPECT_TRUE(HasLine(result.warnings, c.warning)) << Lines(result.warnings);
        } else {
            EXPECT_TRUE(result.warnings.empty()) << Lines(result.warnings);
        }
    }
}

TEST(SourceCompiler, PapersEndAtTheFirstSectionTheProgramWouldNotRead) {
    struct Case {
        const char* what;
        std::string papers;
        size_t count;
        const char* warning;
    };
    const Case cases[] = {
        {"a gap", PaperSection(0) + PaperSection(1) + PaperSection(3), 2,
         "[Paper03]: left out with all after it: the papers end at the missing [Paper02]"},
        {"a missing key",
         PaperSection(0) + PaperSection(1, {{"nSensorID", kAbsent}}) + PaperSection(2), 1,
         "[Paper01] nSensorID: missing: this paper and all after it left out"},
        {"an empty name", PaperSection(0) + PaperSection(1, {{"szPaperName_inch", ""}}), 1,
         "[Paper01] szPaperName_inch: missing"},
        {"a name of 32 characters",
         PaperSection(0) + PaperSection(1, {{"szPaperName_mm", std::string(32, 'n')}}), 1,
         "[Paper01] szPaperName_mm: longer than 31 characters"},
        {"an inch string of 16",
         PaperSection(0) + PaperSection(1, {{"szPaperWidthString_inch", std::string(16, '1')}}), 1,
         "[Paper01] szPaperWidthString_inch: longer than 15 characters"},
        {"no papers", "", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto result = Compile(family_test::DeviceSections() + c.papers);
        ASSERT_TRUE(result.table) << Lines(result.errors);
        EXPECT_EQ(result.table->papers.size(), c.count);
        if (*c.warning) {
            EXPECT_TRUE(HasLine(result.warnings, c.warning)) << Lines(result.warnings);
        } else {
            EXPECT_TRUE(result.warnings.empty()) << Lines(result.warnings);
        }
    }
}

TEST(SourceCompiler, RefusesOnlyWhatGivesNoUsableTable) {
    const std::string device = family_test::DeviceSections();
    auto replaced = [&](const char* from, const char* to) {
        std::string text = device + PaperSection(0);
        text.replace(text.find(from), std::string_view(from).size(), to);
        return text;
    };
    struct Case {
        const char* what;
        std::string source;
        const char* firstError;
    };
    const Case cases[] = {
        {"no source at all", "", "[Model]: missing or empty"},
        {"garbage", "garbage\x01\x02\xff", "[Model]: missing or empty"},
        {"no Model section", "[Version]\r\nFormatVersion=1\r\n" + PaperSection(0),
         "[Model]: missing or empty"},
        {"no resolution", replaced("wResolutions=203,203\r\n", ""),
         "[Model] wResolutions: missing"},
        {"resolution 0", replaced("wResolutions=203,203", "wResolutions=0,203"),
         "[Model] wResolutions: \"0,203\" gives no resolution above 0"},
        {"first paper unreadable", device + PaperSection(0, {{"nSensorID", kAbsent}}),
         "[Paper00] nSensorID: missing: the source holds no paper"},
        {"first name too long",
         device + PaperSection(0, {{"szPaperName_mm", std::string(40, 'n')}}),
         "[Paper00] szPaperName_mm: longer than 31 characters: the source holds no paper"},
        {"width 0 in dots", device + PaperSection(0) + PaperSection(1, {{"nPaperWidthRes", "0"}}),
         "[Paper01] nPaperWidthRes: a paper of width 0 cannot be printed"},
        {"width 0 in 0.1 mm", device + PaperSection(0, {{"nPaperWidth", "none"}}),
         "[Paper00] nPaperWidth: a paper of width 0"},
        // The device's fault comes first: it is the reason shown to the user.
        {"both",
         replaced("wResolutions=203,203", "wResolutions=x") +
             PaperSection(1, {{"nPaperWidthRes", "0"}}),
         "[Model] wResolutions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto result = Compile(c.source);
        EXPECT_FALSE(result.table);
        ASSERT_FALSE(result.errors.empty());
        EXPECT_EQ(result.errors.front().find(c.firstError), 0u) << Lines(result.errors);
    }
}

TEST(SourceCompiler, HundredPapersFitAndMoreAreLeftOut) {
    const auto hundred = Compile(family_test::SourceWithPapers(100));
    ASSERT_TRUE(hundred.table);
    EXPECT_EQ(hundred.table->papers.size(), 100u);
    EXPECT_TRUE(hundred.warnings.empty());
    const auto more = Compile(family_test::SourceWithPapers(102));
    ASSERT_TRUE(more.table);
    EXPECT_EQ(more.table->papers.size(), 100u);
    ASSERT_EQ(more.warnings.size(), 1u);
    EXPECT_EQ(more.warnings[0],
              "[Paper100]: left out with all after it: a table holds at most 100 papers");
}

TEST(SourceCompiler, SensingComesFromItem6OrElseFromTheKind) {
    struct Case {
        int item6;
        int16_t nType;
        uint8_t sensing;
    };
    for (const Case& c : {Case{0, 75, kLytSensingContinuous}, Case{1, 74, kLytSensingGap},
                          Case{2, 74, kLytSensingMark}, Case{3, 74, kLytSensingContinuous},
                          Case{3, 75, kLytSensingGap}, Case{-1, 76, kLytSensingGap},
                          Case{258, 75, kLytSensingGap}}) {
        EXPECT_EQ(SensingOf(c.item6, c.nType), c.sensing) << c.item6 << " " << c.nType;
    }
}

}  // namespace
}  // namespace family

namespace family {
namespace {

// The shipped sources are read whole by the program's own reader too, and it sees
// the same papers as the compiler with its reader.
TEST(SourceCompiler, ProgramReaderAgreesOnShippedSources) {
    for (const char* file : {"kvx510ad.txt", "kvx520ad.txt", "kvx610ad.txt", "kvx620ad.txt",
                             "kvx510ed.txt", "kvx520ed.txt", "kvx610ed.txt", "kvx620ed.txt"}) {
        SCOPED_TRACE(file);
        const std::string text = family_test::ReadDataFile(file);
        const auto profile = papertable::ProfileFile::Parse(text);
        papertable::DeviceRecord device;
        EXPECT_TRUE(papertable::ReadDevice(profile, device));
        EXPECT_NE(device.modelSectionText.find("wSensorKinds=3"), std::string::npos);
        const auto compiled = CompileSource(SourceReader::Parse(text));
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
