#include "papertable/source_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "sample_source.h"
#include "tests/fakes/fake_file_system.h"

namespace {

using namespace papertable;

template <size_t N>
std::u16string Wide(const WideText<N>& text) {
    return std::u16string(text.data(), std::u16string_view(text.data(), N).find(u'\0'));
}

ProfileFile OnePaper(const sample::Keys& keys) {
    return ProfileFile::Parse(sample::Device() + sample::Section("Paper00", keys));
}

TEST(ReadPaperTest, ReadsEveryKeyAtItsWidth) {
    PaperRecord p;
    ASSERT_TRUE(ReadPaperRecord(OnePaper(sample::PaperKeys("Roll")), 0, p));
    EXPECT_EQ(Wide(p.szPaperName_mm), u"Roll");
    EXPECT_EQ(Wide(p.szPaperName_inch), u"Roll in");
    EXPECT_EQ(Wide(p.szPaperWidthString_inch), u"2.00");
    EXPECT_EQ(p.nType, 75);
    EXPECT_EQ(p.nPhysicalOffsetX, -3);
    EXPECT_EQ(p.wPinOffsetLeft, 65535);
    EXPECT_EQ(p.nClipInfoTop, 13);
    EXPECT_EQ(p.nVirtualOffsetX, -7);
    EXPECT_EQ(p.nCompatiblePaperSizes, "1,2,3");
    EXPECT_EQ(p.dwPaperAbility01, 0x401u);
    EXPECT_TRUE(p.editLocked);
    EXPECT_EQ(p.dwPaperAbility02, 0x80000000u);
    EXPECT_EQ(p.byEnergyRank, 3);
    EXPECT_EQ(p.lblPitchDot, 40000);
    EXPECT_EQ(p.markNoChkValu, 65535);
    EXPECT_EQ(p.wPafMediaID, "0x0001");  // a text key whatever its prefix
    EXPECT_EQ(p.szSizeIN, "2.00 x 1.00 in");
    EXPECT_EQ(p.markOffset, 16);
    EXPECT_EQ(p.markLength, 200);
}

TEST(ReadPaperTest, IntegerKeysAreCutToTheFieldWidth) {
    struct Case {
        const char* key;
        const char* value;
        long long expected;
    };
    const Case cases[] = {
        {"nPaperWidth", "-5", -5},
        {"nPaperWidth", "65535", -1},
        {"nPaperWidth", "0x12345", 0x2345},
        {"nPaperWidth", "not a number", 0},
        {"wSplit", "-1", 65535},
        {"wSplit", "70000", 70000 - 65536},
        {"byEnergyRank", "0x1ff", 0xff},
        {"byEnergyRank", "-1", 255},
        {"lblPitchDot", "0x10000", 0},
        {"dwPaperAbility02", "-1", 0xFFFFFFFFLL},
        {"nType", "0x4a", 74},
        {"dwPaperAbility01", "0x00000400", 0x400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        PaperRecord p;
        ASSERT_TRUE(ReadPaperRecord(
            OnePaper(sample::With(sample::PaperKeys("P"), {{c.key, c.value}})), 0, p));
        const long long got =
            std::string(c.key) == "nPaperWidth"        ? p.nPaperWidth
            : std::string(c.key) == "wSplit"           ? p.wSplit
            : std::string(c.key) == "byEnergyRank"     ? p.byEnergyRank
            : std::string(c.key) == "lblPitchDot"      ? p.lblPitchDot
            : std::string(c.key) == "dwPaperAbility02" ? static_cast<long long>(p.dwPaperAbility02)
            : std::string(c.key) == "dwPaperAbility01" ? static_cast<long long>(p.dwPaperAbility01)
                                                       : p.nType;
        EXPECT_EQ(got, c.expected);
        if (std::string(c.key) == "dwPaperAbility01") {
            EXPECT_TRUE(p.editLocked);
        }
    }
}

TEST(ReadPaperTest, TextValuesAreCutToTheirBuffers) {
    struct Case {
        const char* key;
        size_t length;  // of the value in the file
        size_t kept;
    };
    const Case cases[] = {
        {"nCompatiblePaperSizes", 254, 254},
        {"nCompatiblePaperSizes", 255, 254},  // read straight into its 255-byte field
        {"nCompatiblePaperSizes", 400, 254},
        {"szSizeMM", 259, 259},
        {"szSizeMM", 260, 259},  // 260-byte buffer
        {"reserved_12_", 400, 259},
        {"byReserved001", 300, 259},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " of " + std::to_string(c.length));
        PaperRecord p;
        ASSERT_TRUE(ReadPaperRecord(
            OnePaper(sample::With(sample::PaperKeys("P"), {{c.key, std::string(c.length, '7')}})),
            0, p));
        const std::string& got = std::string(c.key) == "nCompatiblePaperSizes"
                                     ? p.nCompatiblePaperSizes
                                 : std::string(c.key) == "szSizeMM"     ? p.szSizeMM
                                 : std::string(c.key) == "reserved_12_" ? p.reserved_12_
                                                                        : p.byReserved001;
        EXPECT_EQ(got, std::string(c.kept, '7'));
    }
}

TEST(ReadPaperTest, MissingAndEmptyKeys) {
    struct Case {
        const char* key;
        std::optional<std::string> value;  // nullopt: key left out
        bool read;
    };
    std::vector<Case> cases = {
        {"szPaperName_mm", std::nullopt, false},
        {"szPaperName_mm", "", false},
        {"szPaperName_mm", "\x01name", false},
        {"szPaperName_inch", "", false},
        {"szPaperWidthString_inch", "", true},  // empty accepted
        {"szPaperWidthString_inch", std::nullopt, false},
        {"szPaperLengthString_inch", "", true},
        {"szPaperLengthString_inch", std::nullopt, false},
        {"nCompatiblePaperSizes", "", true},
        {"nCompatiblePaperSizes", std::nullopt, false},
        {"byReserved001", "", false},
        {"szSizeIN", std::nullopt, true},  // becomes one blank
        {"szSizeIN", "", true},
        {"nPaperWidth", std::nullopt, true},  // integers never count as missing
        {"dwPaperAbility01", std::nullopt, true},
    };
    for (const char* key :
         {"nSensorID", "byRollWidMm", "byHeadDivide", "nDieStartPlus", "nDieStartRevPlus",
          "wDieStartFwdPlus", "nAfterFeedPlus", "wPafMediaID", "PresetBlkPos1_1", "PresetBlkPos2_1",
          "PresetBlkPos2_2", "PresetBlkPos3_1", "PresetBlkPos3_2", "PresetBlkPos3_3", "szSizeMM",
          "MediaAtrInfo", "reserved_12_", "byReserved001"}) {
        cases.push_back({key, std::nullopt, false});
        cases.push_back({key, "", false});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + (c.value ? "=" + *c.value : " absent"));
        PaperRecord p;
        PaperReadFailure failure;
        const auto keys = sample::With(sample::PaperKeys("P"), {{c.key, c.value}});
        EXPECT_EQ(ReadPaperRecord(OnePaper(keys), 0, p, &failure), c.read);
        if (c.read && std::string(c.key) == "szSizeIN") {
            EXPECT_EQ(p.szSizeIN, " ");
        }
        // A failure names the key reading stopped at.
        EXPECT_EQ(failure.key, c.read ? "" : c.key);
        EXPECT_EQ(failure.fault, c.read ? PaperReadFault::kNone : PaperReadFault::kMissing);
    }
}

TEST(ReadPaperTest, NameLengthsAndAnsiCharacters) {
    struct Case {
        const char* key;
        std::string value;
        bool read;
    };
    const Case cases[] = {
        {"szPaperName_mm", std::string(31, 'n'), true},
        {"szPaperName_mm", std::string(32, 'n'), false},
        {"szPaperName_inch", std::string(31, 'n'), true},
        {"szPaperName_inch", std::string(32, 'n'), false},
        {"szPaperWidthString_inch", std::string(15, '1'), true},
        {"szPaperWidthString_inch", std::string(16, '1'), false},
        {"szPaperLengthString_inch", std::string(16, '1'), false},
        {"szPaperName_mm", std::string(300, 'n'), false},  // cut at 259 by the read, still too long
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " of " + std::to_string(c.value.size()));
        PaperRecord p;
        PaperReadFailure failure;
        EXPECT_EQ(
            ReadPaperRecord(OnePaper(sample::With(sample::PaperKeys("P"), {{c.key, c.value}})), 0,
                            p, &failure),
            c.read);
        EXPECT_EQ(failure.key, c.read ? "" : c.key);
        EXPECT_EQ(failure.fault, c.read ? PaperReadFault::kNone : PaperReadFault::kTooLong);
    }
    PaperRecord p;
    ASSERT_TRUE(ReadPaperRecord(OnePaper(sample::PaperKeys("Etikett \xe9\x80")), 0, p));
    EXPECT_EQ(Wide(p.szPaperName_mm), u"Etikett \u00e9\u20ac");

    // A shorter name read into the same record leaves nothing of the longer one.
    PaperRecord fresh;
    ASSERT_TRUE(ReadPaperRecord(OnePaper(sample::PaperKeys("ab")), 0, fresh));
    ASSERT_TRUE(ReadPaperRecord(OnePaper(sample::PaperKeys("ab")), 0, p));
    EXPECT_EQ(p.szPaperName_mm, fresh.szPaperName_mm);
    EXPECT_EQ(p.szPaperName_inch, fresh.szPaperName_inch);
}

TEST(ReservedItemsTest, ItemsAndDerivedFields) {
    struct Case {
        std::string text;
        int index;
        int expected;
        std::string itemText;
    };
    const Case cases[] = {
        {"0,0,16,0,200,0,2", 2, 16, "16"},
        {"0,0,16,0,200,0,2", 6, 2, "2"},
        {"1,,3", 1, 0, ""},  // two commas in a row
        {"1,,3", 2, 3, "3"},
        {"", 0, 0, ""},
        {"1,2", 5, 0, ""},  // absent item
        {" 7x,-2", 0, 7, " 7x"},
        {" 7x,-2", 1, -2, "-2"},
        {std::string(99, '0') + ",5", 1, 0, ""},        // item starts beyond 100 characters
        {std::string(97, '0') + ",1234", 1, 12, "12"},  // cut at 100 characters
        {"99999999999999999999", 0, 2147483647, "99999999999999999999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " item " + std::to_string(c.index));
        EXPECT_EQ(ReservedItem(c.text, c.index), c.expected);
        EXPECT_EQ(ReservedItemText(c.text, c.index), c.itemText);
    }

    PaperRecord p;
    p.nType = 75;
    p.reserved_12_ = "0,0,16,1,200,2,2,0,0,0,0,0";
    ApplyReservedItems(p);
    EXPECT_EQ(p.nType, kKindMark);
    EXPECT_EQ(p.markOffset, 16 + 256);
    EXPECT_EQ(p.markLength, 200 + 512);
    p.reserved_12_ = "0,0,255,255,255,255,3";
    ApplyReservedItems(p);
    EXPECT_EQ(p.nType, kKindMark);  // only ever set, never cleared
    EXPECT_EQ(p.markOffset, static_cast<int16_t>(0xFFFF));
    EXPECT_EQ(p.markLength, 0xFFFF);
    p.reserved_12_ = "0,0,0,1000,0,1000";  // results kept to 16 bits
    ApplyReservedItems(p);
    EXPECT_EQ(p.markOffset, static_cast<int16_t>((1000 * 256) & 0xFFFF));
    EXPECT_EQ(p.markLength, (1000 * 256) & 0xFFFF);
}

class LoadTableTest : public ::testing::Test {
protected:
    std::vector<std::string> Load(const std::string& builtIn, const std::string& user,
                                  bool inch = false) {
        std::vector<std::string> names;
        complete = LoadPaperTable(table, ProfileFile::Parse(builtIn), ProfileFile::Parse(user),
                                  inch, [&](const std::string& name) { names.push_back(name); });
        return names;
    }
    PaperTable table;
    bool complete = false;
};

TEST_F(LoadTableTest, BuiltInFirstThenUserAndGapsEndAFile) {
    const std::string builtIn = sample::Device() +
                                sample::Section("Paper00", sample::PaperKeys("B0")) +
                                sample::Section("Paper01", sample::PaperKeys("B1")) +
                                sample::Section("Paper03", sample::PaperKeys("B3"));
    const std::string user = sample::File(2, "U");
    EXPECT_EQ(Load(builtIn, user), (std::vector<std::string>{"B0", "B1", "U0", "U1"}));
    EXPECT_EQ(table.paperCount, 4);
    EXPECT_FALSE(table.tableFull);
    EXPECT_TRUE(table.papers[1].builtIn);
    EXPECT_FALSE(table.papers[2].builtIn);
    EXPECT_EQ(Load(builtIn, user, true),
              (std::vector<std::string>{"B0 in", "B1 in", "U0 in", "U1 in"}));
}

TEST_F(LoadTableTest, AnEmptyNameEndsTheUserFile) {
    const std::string user =
        sample::Device() + sample::Section("Paper00", sample::PaperKeys("U0")) +
        sample::Section("Paper01", sample::With(sample::PaperKeys(""), {{"szPaperName_mm", ""}})) +
        sample::Section("Paper02", sample::PaperKeys("U2"));
    EXPECT_EQ(Load(sample::File(1, "B"), user), (std::vector<std::string>{"B0", "U0"}));
    EXPECT_EQ(table.paperCount, 2);
}

TEST_F(LoadTableTest, HundredPapersFillTheTableAndAHundredFirstIsRefused) {
    const auto names = Load(sample::File(60, "B"), sample::File(41, "U"));
    EXPECT_EQ(names.size(), 100u);
    EXPECT_EQ(table.paperCount, 100);
    EXPECT_TRUE(table.tableFull);
    EXPECT_FALSE(complete);

    // The built-in file reaching the 101st slot already: refused once, the user file
    // is not read.
    Load(sample::File(101, "B"), sample::File(1, "U"));
    EXPECT_EQ(table.paperCount, 100);
    EXPECT_TRUE(table.papers[99].builtIn);
    EXPECT_FALSE(complete);

    // Exactly 100: full, nothing refused.
    Load(sample::File(99, "B"), sample::File(1, "U"));
    EXPECT_EQ(table.paperCount, 100);
    EXPECT_TRUE(table.tableFull);
    EXPECT_TRUE(complete);
}

TEST_F(LoadTableTest, SlotsOutsideTheTableAreRefused) {
    const ProfileFile file = ProfileFile::Parse(sample::File(1));
    EXPECT_EQ(ReadPaper(table, -1, 0, file, false), PaperRead::Missing);
    EXPECT_EQ(ReadPaper(table, kPaperSlots, 0, file, false), PaperRead::Missing);
    EXPECT_EQ(ReadPaper(table, 0, 0, file, false), PaperRead::Read);
}

TEST(ReadDeviceTest, ReadsVersionModelAndTheWholeModelSection) {
    DeviceRecord d;
    ASSERT_TRUE(ReadDevice(ProfileFile::Parse(sample::Device()), d));
    EXPECT_EQ(d.FormatVersion, "1.00");
    EXPECT_EQ(d.OutputFileName, "KVX610ed");
    EXPECT_EQ(d.dmDeviceName, "Ostrel LM-610N");
    EXPECT_EQ(d.wResolutions, "203");
    EXPECT_EQ(d.modelSectionText.substr(0, 18), std::string("bySeriesCode=0x12\0", 18));
    EXPECT_EQ(d.modelSectionText.substr(d.modelSectionText.size() - 2), std::string(2, '\0'));
}

TEST(ReadDeviceTest, FailuresKeepWhatWasRead) {
    struct Case {
        std::string text;
        std::string formatVersion;  // expected afterwards
        std::string modelSection;   // first bytes expected afterwards
        std::string dmDeviceName;
    };
    const std::string model = sample::Section("Model", sample::ModelKeys());
    const Case cases[] = {
        {sample::Section("Version",
                         sample::With(sample::VersionKeys(), {{"ModelVersion", std::nullopt}})) +
             model,
         "1.00", "old", "old"},
        {sample::Section("Version", sample::VersionKeys()), "1.00", "old", "old"},  // no Model
        {sample::Section("Version", sample::VersionKeys()) + "[Model]\r\n", "1.00", "old", "old"},
        {sample::Section("Version", sample::VersionKeys()) +
             sample::Section("Model",
                             sample::With(sample::ModelKeys(), {{"dwHeadPinNum", std::nullopt}})),
         "1.00", "bySeriesCode", "Ostrel LM-610N"},
    };
    for (const auto& c : cases) {
        DeviceRecord d;
        d.FormatVersion = d.modelSectionText = d.dmDeviceName = d.dwHeadPinNum = "old";
        EXPECT_FALSE(ReadDevice(ProfileFile::Parse(c.text), d));
        EXPECT_EQ(d.FormatVersion, c.formatVersion);
        EXPECT_EQ(d.modelSectionText.substr(0, c.modelSection.size()), c.modelSection);
        EXPECT_EQ(d.dmDeviceName, c.dmDeviceName);
        EXPECT_EQ(d.dwHeadPinNum, "old");
    }
}

TEST(ReadDeviceTest, ModelSectionOverTheBufferIsCut) {
    sample::Keys keys = sample::ModelKeys();
    for (int i = 0; i < 800; ++i) keys.emplace_back("xUnknown" + std::to_string(i), "0123456789");
    DeviceRecord d;
    EXPECT_TRUE(ReadDevice(ProfileFile::Parse(sample::Section("Version", sample::VersionKeys()) +
                                              sample::Section("Model", keys)),
                           d));
    EXPECT_EQ(d.modelSectionText.size(), kModelSectionBytes);
    EXPECT_EQ(d.modelSectionText.substr(kModelSectionBytes - 2), std::string(2, '\0'));
}

TEST(ModelSourceTest, TheModelTagDecides) {
    struct Case {
        std::string file;
        bool kvx510;
    };
    const Case cases[] = {
        {"[Version]\nOutputFileName=kvx510ed.lyt\n", true},
        {"[Version]\nOutputFileName=KVX510ED.LYT\n", true},
        {"[Version]\nOutputFileName=kvx520ed.lyt\n", false},
        {"[Version]\nOutputFileName=kvx510ad.lyt\n", false},  // the built-in table's name
        {"[Version]\nOutputFileName=\n", false},
        {"[Version]\nFormatVersion=1\n", false},
        {"[Model]\nOutputFileName=kvx510ed.lyt\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsModelSource(ProfileFile::Parse(c.file), "kvx510"), c.kvx510) << c.file;
}

TEST(LoadProfileTest, UnreadableFileIsEmpty) {
    fakes::FakeFileSystem files;
    files.Put("C:\\d\\a.txt", sample::File(1));
    files.Put("C:\\d\\b.txt", sample::File(1));
    files.FailRead("C:\\d\\b.txt");
    PaperRecord p;
    EXPECT_TRUE(ReadPaperRecord(LoadProfile(files, "c:/D/A.TXT"), 0, p));
    EXPECT_FALSE(ReadPaperRecord(LoadProfile(files, "C:\\d\\b.txt"), 0, p));
    EXPECT_FALSE(ReadPaperRecord(LoadProfile(files, "C:\\d\\none.txt"), 0, p));
}

}  // namespace
