#include "papertable/source_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "papertable/source_reader.h"
#include "sample_source.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/support/headless.h"

namespace {

using namespace papertable;

// A table read from sample texts: `builtIn` built-in papers, then `user` ones.
PaperTable SampleTable(int builtIn, int user) {
    PaperTable table;
    EXPECT_TRUE(ReadDevice(ProfileFile::Parse(sample::Device()), table.device));
    win::headless::HeadlessUi ui;
    LoadPaperTable(table, ProfileFile::Parse(sample::File(builtIn, "B")),
                   ProfileFile::Parse(sample::File(user, "U")), false, ui, nullptr);
    return table;
}

std::string ReadSourceFile(const std::string& name) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/tests/papertable/golden/" + name,
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WriteSourceTest, UserSourceMatchesTheGoldenFile) {
    PaperTable table = SampleTable(1, 2);
    table.papers[1].nType = kKindMark;   // written as 75
    table.papers[2].editLocked = false;  // clears bit 10
    table.papers[2].szSizeIN = " ";      // as read when the key was absent
    table.papers[2].nCompatiblePaperSizes = "";
    fakes::FakeFileSystem files;
    ASSERT_TRUE(WriteUserSource(files, "C:\\Temp\\kvx610ed.txt", table, table.paperCount));
    const auto written = files.Get("C:\\Temp\\kvx610ed.txt");
    ASSERT_TRUE(written);
    if (std::getenv("VELKOR_UPDATE_GOLDEN")) {
        std::ofstream(std::string(VELKOR_SOURCE_DIR) + "/tests/papertable/golden/user_source.txt",
                      std::ios::binary)
            << *written;
    }
    const std::string golden = ReadSourceFile("user_source.txt");
    ASSERT_FALSE(golden.empty()) << "golden file missing";
    EXPECT_EQ(*written, golden);
}

TEST(WriteSourceTest, OnlyUserPapersRenumberedFromPaper00) {
    PaperTable table = SampleTable(3, 2);
    ASSERT_EQ(table.paperCount, 5);
    const ProfileFile file = ProfileFile::Parse(UserSourceText(table, 5));
    PaperRecord p;
    ASSERT_TRUE(ReadPaperRecord(file, 0, p));
    EXPECT_EQ(p.szPaperName_mm, table.papers[3].szPaperName_mm);
    ASSERT_TRUE(ReadPaperRecord(file, 1, p));
    EXPECT_EQ(p.szPaperName_mm, table.papers[4].szPaperName_mm);
    EXPECT_FALSE(file.HasSection("Paper02"));

    for (int count : {0, -1, 65536}) {  // a 16-bit count: all three write no paper
        EXPECT_FALSE(ProfileFile::Parse(UserSourceText(table, count)).HasSection("Paper00"))
            << count;
    }
}

TEST(WriteSourceTest, SinglePaperSourceWritesTheSelectedPaperAsPaper00) {
    PaperTable table = SampleTable(3, 2);
    const ProfileFile file = ProfileFile::Parse(SinglePaperSourceText(table, 1));
    PaperRecord p;
    ASSERT_TRUE(ReadPaperRecord(file, 0, p));
    EXPECT_EQ(p.szPaperName_mm, table.papers[1].szPaperName_mm);
    EXPECT_FALSE(file.HasSection("Paper01"));
    EXPECT_FALSE(ProfileFile::Parse(SinglePaperSourceText(table, 100)).HasSection("Paper00"));
    EXPECT_FALSE(ProfileFile::Parse(SinglePaperSourceText(table, -1)).HasSection("Paper00"));
}

TEST(WriteSourceTest, SinglePaperSourceNeedsAPaperInUse) {
    PaperTable table = SampleTable(3, 2);
    table.papers[5] = table.papers[4];  // a stale slot past paperCount
    struct Case {
        int index;
        bool written;
    };
    const Case cases[] = {{0, true},   {4, true},    {5, false},
                          {-1, false}, {100, false}, {101, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        fakes::FakeFileSystem files;
        files.Put("C:\\Temp\\one.txt", "old");
        EXPECT_EQ(WriteSinglePaperSource(files, "C:\\Temp\\one.txt", table, c.index), c.written);
        const auto text = files.Get("C:\\Temp\\one.txt");
        ASSERT_TRUE(text);
        if (!c.written) {
            EXPECT_EQ(*text, "old");
            continue;
        }
        PaperRecord p;
        ASSERT_TRUE(ReadPaperRecord(ProfileFile::Parse(*text), 0, p));
        EXPECT_EQ(p.szPaperName_mm, table.papers[static_cast<size_t>(c.index)].szPaperName_mm);
    }
}

// A mark paper as it comes from a file: kind 76 in memory, 75 in the file and in
// the table after writing, and 76 again when the file is read back.
TEST(WriteSourceTest, MarkPaperReadAs76IsWrittenAs75) {
    const std::string reserved = "0,0,16,0,200,0,2,0,0,0,0,0";
    PaperTable table;
    ASSERT_TRUE(ReadDevice(ProfileFile::Parse(sample::Device()), table.device));
    win::headless::HeadlessUi ui;
    LoadPaperTable(
        table, ProfileFile{},
        ProfileFile::Parse(sample::Device() +
                           sample::Section("Paper00", sample::With(sample::PaperKeys("M"),
                                                                   {{"nType", "0x4b"},
                                                                    {"reserved_12_", reserved}}))),
        false, ui, nullptr);
    ASSERT_EQ(table.paperCount, 1);
    PaperRecord& p = table.papers[0];
    EXPECT_EQ(p.nType, kKindMark);
    EXPECT_EQ(p.markOffset, 16);
    EXPECT_EQ(p.markLength, 200);

    const std::string text = UserSourceText(table, 1);
    EXPECT_EQ(p.nType, kKindLabel);
    EXPECT_NE(text.find("nType=0x4b\r\n"), std::string::npos);
    EXPECT_NE(text.find("reserved_12_=" + reserved + "\r\n"), std::string::npos);
    PaperRecord back;
    ASSERT_TRUE(ReadPaperRecord(ProfileFile::Parse(text), 0, back));
    EXPECT_EQ(back.nType, kKindMark);
}

TEST(WriteSourceTest, RecordSideEffects) {
    PaperTable table = SampleTable(0, 2);
    table.papers[0].nType = kKindMark;
    table.papers[0].editLocked = false;
    table.papers[0].dwPaperAbility01 = 0xFFFFFFFF;
    table.papers[1].editLocked = true;
    table.papers[1].dwPaperAbility01 = 0x1;
    const std::string text = UserSourceText(table, 2);
    EXPECT_EQ(table.papers[0].nType, kKindLabel);
    EXPECT_EQ(table.papers[0].dwPaperAbility01, 0xFFFFFBFFu);
    EXPECT_EQ(table.papers[1].dwPaperAbility01, 0x401u);
    EXPECT_NE(text.find("nType=0x4b\r\n"), std::string::npos);
    EXPECT_NE(text.find("dwPaperAbility01=0xfffffbff\r\n"), std::string::npos);
    EXPECT_NE(text.find("dwPaperAbility01=0x00000401\r\n"), std::string::npos);
}

// Every key kind written and read back gives the record again.
TEST(WriteSourceTest, RoundTripOfEveryKeyKind) {
    PaperTable table = SampleTable(0, 1);
    PaperRecord& p = table.papers[0];
    p.nPaperWidth = -5;
    p.nPhysicalOffsetX = -32768;
    p.wPinOffsetLeft = 65535;
    p.dwPaperAbility02 = 0xFFFFFFFF;
    p.byEnergyRank = 255;
    p.lblPitchDot = 65535;
    p.nType = -1;
    const std::u16string longName = u"1234567890123456789012345678901";
    std::copy(longName.begin(), longName.end(), p.szPaperName_mm.begin());
    const std::u16string ansiName = u"\u00c9tiquette \u20ac\u00ff";
    std::fill(p.szPaperName_inch.begin(), p.szPaperName_inch.end(), 0);
    std::copy(ansiName.begin(), ansiName.end(), p.szPaperName_inch.begin());
    p.szPaperWidthString_inch.fill(0);
    p.szSizeIN = " ";
    p.nSensorID = "  padded  ";  // kept through quoting
    p.byHeadDivide = "\"quoted\"";
    p.MediaAtrInfo = "'";
    p.reserved_12_ = "0,0,1,2,3,4,0,0,0,0,0,0";
    ApplyReservedItems(p);

    const PaperRecord before = p;
    const std::string text = UserSourceText(table, 1);
    EXPECT_NE(text.find("nPaperWidth=-5\r\n"), std::string::npos);
    EXPECT_NE(text.find("wPinOffsetLeft=65535\r\n"), std::string::npos);
    EXPECT_NE(text.find("nType=0xffffffff\r\n"), std::string::npos);
    PaperRecord back;
    back.builtIn = before.builtIn;
    ASSERT_TRUE(ReadPaperRecord(ProfileFile::Parse(text), 0, back));
    EXPECT_EQ(back, before);

    std::copy(u"12345678901234567890123456789012", u"12345678901234567890123456789012" + 32,
              p.szPaperName_mm.begin());  // 32 units: no terminator, cannot be read back
    PaperRecord unread;
    EXPECT_FALSE(ReadPaperRecord(ProfileFile::Parse(UserSourceText(table, 1)), 0, unread));
}

TEST(WriteSourceTest, ModelSectionKeepsUnknownKeysInPlace) {
    PaperTable table;
    const std::string model =
        "[Version]\r\nFormatVersion=1\r\nModelVersion=2\r\nOutputFileName=o\r\n"
        "[Model]\r\nxFirst=1\r\nbySeriesCode=0x99\r\nxMiddle=2\r\nDMDEVICENAME=Old\r\n";
    ReadDevice(ProfileFile::Parse(model), table.device);  // partly read: fails at byModelCode
    table.device.bySeriesCode = "0x12";
    table.device.dmDeviceName = "New";
    const std::string text = UserSourceText(table, 0);
    const std::string expected =
        "[Model]\r\nxFirst=1\r\nbySeriesCode=0x12\r\nxMiddle=2\r\nDMDEVICENAME=New\r\n"
        "byModelCode=\r\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("wResolutions=\r\n\r\n"), std::string::npos) << text;
}

TEST(WriteSourceTest, DeviceNameInTheHeaderIsCutTo238Bytes) {
    for (size_t length : {0u, 1u, 238u, 239u, 400u}) {
        SCOPED_TRACE(length);
        PaperTable table;
        table.device.dmDeviceName = std::string(length, 'D');
        const std::string text = UserSourceText(table, 0);
        const std::string line =
            ";\t" + std::string(std::min<size_t>(length, 238), 'D') + " LYT Source File\r\n";
        EXPECT_EQ(text.find(line), 57u + 3u);  // after the first two lines
        // ";\t%s LYT Source File\n;\n" with its terminator fits in 260 bytes.
        EXPECT_LE(std::min<size_t>(length, 238) + 21 + 1, 260u);
    }
}

TEST(WriteSourceTest, ValuesCannotAddLines) {
    PaperTable table = SampleTable(0, 1);
    table.papers[0].MediaAtrInfo = "m\r\n[Paper05]\r\nx=1";
    table.device.dmDeviceName = "A\r\n[Evil]";
    const ProfileFile file = ProfileFile::Parse(UserSourceText(table, 1));
    EXPECT_FALSE(file.HasSection("Paper05"));
    EXPECT_FALSE(file.HasSection("Evil"));
    EXPECT_EQ(file.GetString("Paper00", "MediaAtrInfo", "", 260), "m");
}

TEST(WriteSourceTest, FailedWriteLeavesTheOldFile) {
    PaperTable table = SampleTable(0, 1);
    fakes::FakeFileSystem files;
    files.Put("C:\\d\\kvx610ed.txt", "old");
    files.FailWrite("C:\\d\\kvx610ed.txt");
    EXPECT_FALSE(WriteUserSource(files, "C:\\d\\kvx610ed.txt", table, 1));
    EXPECT_FALSE(WriteSinglePaperSource(files, "C:\\d\\kvx610ed.txt", table, 0));
    EXPECT_EQ(files.Get("C:\\d\\kvx610ed.txt"), "old");
    files.Put("C:\\d\\ro.txt", "old", win::kAttributeReadOnly);
    EXPECT_FALSE(WriteUserSource(files, "C:\\d\\ro.txt", table, 1));
    EXPECT_EQ(files.Get("C:\\d\\ro.txt"), "old");
    EXPECT_TRUE(WriteSinglePaperSource(files, "C:\\d\\new.txt", table, 0));
}

}  // namespace
