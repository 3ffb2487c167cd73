// kvx610f.dll as its host sees it: loaded by path, attaching to the family's paper-table
// library in the driver folder, which serves a table compiled by the family's
// compiler from a crafted source in sources/, and answering through its one export.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "kvx610f/caps_records.h"
#include "tests/family/tools_win.h"
#include "tests/kvx610f/driver_folder_win.h"
#include "tests/kvx610f/length_range_check.h"

namespace kvx610f {
namespace {

using family_test::WinPath;
using testing::DriverFolderStage;
using testing::ExpectInitialLengthRange;
using testing::kBuiltInTable;

using CapsFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);

constexpr DWORD kNoAnswer = 0xFFFFFFFF;

std::string Source(const char* name) {
    return WinPath(std::string(VELKOR_SOURCE_DIR) + "/tests/kvx610f/sources/" + name);
}

struct Query {
    DEVMODEA* devmode() { return reinterpret_cast<DEVMODEA*>(bytes.data()); }
    Query(int16_t xRes = 203, int16_t yRes = 203, bool turned = false)
        : bytes(sizeof(DEVMODEA) + 32) {
        devmode()->dmSize = sizeof(DEVMODEA);
        devmode()->dmDriverExtra = 32;
        devmode()->dmPrintQuality = xRes;
        devmode()->dmYResolution = yRes;
        const uint32_t flags = turned ? devmode::kTurnedFlag : 0;
        std::memcpy(bytes.data() + sizeof(DEVMODEA) + devmode::kPrivateFlagOffset, &flags, 4);
    }
    std::vector<uint8_t> bytes;
};

class Kvx610fTest : public ::testing::Test {
protected:
    void TearDown() override { Unload(); }

    // Stages the real paper-table library and the table compiled from `source`.
    bool StageTable(const char* source) {
        return stage.PutLibrary(WinPath(KVX500I3_PATH)) &&
               family_test::CompileTable(WinPath(FAMILY_COMPILER), Source(source),
                                         stage.Path(kBuiltInTable));
    }
    bool Load(const char* source) {
        EXPECT_TRUE(StageTable(source)) << source;
        return LoadCaps();
    }
    bool LoadCaps() {
        module = LoadLibraryA(WinPath(KVX610F_PATH).c_str());
        if (module == nullptr) return false;
        caps = reinterpret_cast<CapsFn>(
            reinterpret_cast<void*>(GetProcAddress(module, "MyDeviceCapabilities")));
        return caps != nullptr;
    }
    void Unload() {
        if (module != nullptr) FreeLibrary(module);
        module = nullptr;
    }
    std::vector<PaperCapsRecord> Papers(Query q) {
        const DWORD n = caps("LM-610N", "USB001", 257, nullptr, q.devmode());
        std::vector<PaperCapsRecord> out(n);
        EXPECT_EQ(caps(nullptr, nullptr, 257, reinterpret_cast<LPSTR>(out.data()), q.devmode()), n);
        return out;
    }
    std::vector<PaperClipRecord> Clips(Query q) {
        const DWORD n = caps(nullptr, nullptr, 279, nullptr, q.devmode());
        std::vector<PaperClipRecord> out(n);
        EXPECT_EQ(caps(nullptr, nullptr, 279, reinterpret_cast<LPSTR>(out.data()), q.devmode()), n);
        return out;
    }
    std::vector<LengthRangeRow> Rows(Query q) {
        std::vector<LengthRangeRow> rows(2);
        EXPECT_EQ(caps(nullptr, nullptr, 270, reinterpret_cast<LPSTR>(rows.data()), q.devmode()),
                  2u);
        return rows;
    }

    DriverFolderStage stage;
    HMODULE module = nullptr;
    CapsFn caps = nullptr;
};

TEST_F(Kvx610fTest, ExportAnswersAndPaperLibraryIsUnloadedAfterAttach) {
    ASSERT_TRUE(Load("groups.txt"));
    EXPECT_EQ(GetModuleHandleA("kvx500i3.dll"), nullptr);
    char name[MAX_PATH] = {};
    GetModuleFileNameA(module, name, MAX_PATH);
    EXPECT_NE(std::string(name).find("kvx610f.dll"), std::string::npos);

    // One export, and the export directory names the module "KVX610F.dll".
    const auto* base = reinterpret_cast<const uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "KVX610F.dll");
    EXPECT_EQ(exports->NumberOfNames, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
}

TEST_F(Kvx610fTest, PapersAreListedGroupByGroupWithKindFlagsAndLinks) {
    ASSERT_TRUE(Load("groups.txt"));
    struct Expected {
        uint16_t id;
        uint32_t kindFlags;
        uint16_t linkId;
        uint8_t linkCount;
    } expected[] = {
        {302, 0x40, 302, 1},  // kind 138: group 1, its split ignored
        {305, 0x50, 305, 1},  // 139
        {304, 0x10, 304, 1},  // 8: group 2
        {306, 0x10, 306, 1},  // 11
        {301, 0x00, 301, 1},  // 5: group 3, in delivery order
        {303, 0x10, 303, 1},  // 75: group 3 with the flag of group 2
        {307, 0x00, 777, 3},  // split in three, linked to its virtual offset X
    };
    const auto papers = Papers(Query());
    ASSERT_EQ(papers.size(), std::size(expected));
    for (size_t i = 0; i < papers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(+papers[i].paperId, expected[i].id);
        EXPECT_EQ(+papers[i].kindFlags, expected[i].kindFlags);
        EXPECT_EQ(+papers[i].linkId, expected[i].linkId);
        EXPECT_EQ(+papers[i].linkCount, expected[i].linkCount);
        const std::string name = "Label " + std::to_string(expected[i].id);
        EXPECT_EQ(papers[i].name1, name);
        EXPECT_EQ(papers[i].name2, name + " in");
        EXPECT_EQ(+papers[i].xSizeTenths, 500);
        EXPECT_EQ(+papers[i].ySizeDots, 240);
    }
}

TEST_F(Kvx610fTest, ZeroLengthsTakeTheDeviceDefaultOnEitherAxis) {
    ASSERT_TRUE(Load("defaults.txt"));  // device default 1500 tenths, 1200 dots
    const auto papers = Papers(Query());
    ASSERT_EQ(papers.size(), 2u);

    const PaperCapsRecord& roll = papers[0];  // top offset 12
    EXPECT_EQ(+roll.ySizeTenths, 1500);
    EXPECT_EQ(+roll.ySizeDots, 1200);
    EXPECT_EQ(+roll.yOffsetDots, 12);
    EXPECT_EQ(+roll.yPrintDots, 1200 - 2 * 12);
    EXPECT_EQ(+roll.yPrintTenths, 1176 * 254 / 203);
    EXPECT_EQ(+roll.xSizeDots, 400);

    const PaperCapsRecord& stored = papers[1];  // stored turned: X is the feed direction
    EXPECT_EQ(+stored.xSizeTenths, 1500);
    EXPECT_EQ(+stored.xSizeDots, 1200);
    EXPECT_EQ(+stored.xOffsetDots, 16);
    EXPECT_EQ(+stored.xPrintDots, 1200 - 2 * 16);
    EXPECT_EQ(+stored.xPrintTenths, 1168 * 254 / 203);
    EXPECT_EQ(+stored.ySizeDots, 400);
    EXPECT_EQ(+stored.ySizeTenths, 500);
    EXPECT_EQ(+stored.yOffsetDots, 8);
    EXPECT_EQ(+stored.yPrintDots, 384);
    EXPECT_EQ(+stored.yPrintTenths, 480);

    // Both papers count for the length range: the roll's top offset 12 and feed 1500.
    const auto rows = Rows(Query());
    EXPECT_EQ(+rows[0].dots, 12);
    EXPECT_EQ(+rows[0].millimetres, 2);
    EXPECT_EQ(+rows[1].dots, 1500);
    EXPECT_EQ(+rows[1].millimetres, 188);
    EXPECT_STREQ(rows[0].metricLabel, "3 mm");
    EXPECT_STREQ(rows[1].metricLabel, "127 mm");
}

TEST_F(Kvx610fTest, DoubledResolutionDoublesTheDotsOfThatAxisOnly) {
    ASSERT_TRUE(Load("turned.txt"));  // 400 x 100 dots, offsets 6 / 10, printable 384 / 70
    PaperCapsRecord r = Papers(Query(203, 406))[0];
    EXPECT_EQ(+r.ySizeDots, 200);
    EXPECT_EQ(+r.yOffsetDots, 20);
    EXPECT_EQ(+r.yPrintDots, 140);
    EXPECT_EQ(+r.ySizeTenths, 300);
    EXPECT_EQ(+r.yPrintTenths, 280);
    EXPECT_EQ(+r.xSizeDots, 400);
    const auto rows = Rows(Query(203, 406));
    EXPECT_EQ(+rows[0].dots, 48);
    EXPECT_EQ(+rows[0].millimetres, 3);
    EXPECT_EQ(+rows[1].dots, 2030);
    EXPECT_EQ(+rows[1].millimetres, 127);

    r = Papers(Query(406, 203))[0];
    EXPECT_EQ(+r.xSizeDots, 800);
    EXPECT_EQ(+r.xOffsetDots, 12);
    EXPECT_EQ(+r.xPrintDots, 768);
    EXPECT_EQ(+r.xSizeTenths, 500);
    EXPECT_EQ(+r.ySizeDots, 100);
    const PaperClipRecord clip = Clips(Query(406, 406))[0];
    EXPECT_EQ(+clip.left, 2);
    EXPECT_EQ(+clip.top, 4);
    EXPECT_EQ(+clip.right, 6);
    EXPECT_EQ(+clip.bottom, 8);
}

TEST_F(Kvx610fTest, TurnedFlagMeasuresOffsetsFromTheOtherEdgeAndSwapsClipSides) {
    ASSERT_TRUE(Load("turned.txt"));
    PaperCapsRecord r = Papers(Query(203, 203, true))[0];
    EXPECT_EQ(+r.yOffsetDots, 100 - 10 - 70);
    EXPECT_EQ(+r.xOffsetDots, 400 - 6 - 384);
    EXPECT_EQ(+r.yPrintDots, 70);
    r = Papers(Query(203, 203, false))[0];
    EXPECT_EQ(+r.yOffsetDots, 10);
    EXPECT_EQ(+r.xOffsetDots, 6);

    const int32_t flags = kClipFlagged | kClipFlaggedWithArea | kClipHasArea;
    PaperClipRecord clip = Clips(Query(203, 203, true))[0];
    EXPECT_EQ(clip.flags, flags);
    EXPECT_EQ(clip.left, 3);
    EXPECT_EQ(clip.top, 4);
    EXPECT_EQ(clip.right, 1);
    EXPECT_EQ(clip.bottom, 2);
    clip = Clips(Query())[0];
    EXPECT_EQ(clip.flags, flags);
    EXPECT_EQ(clip.left, 1);
    EXPECT_EQ(clip.top, 2);
    EXPECT_EQ(clip.right, 3);
    EXPECT_EQ(clip.bottom, 4);
}

TEST_F(Kvx610fTest, LengthRangeUnchangedWithoutFlaggedPapers) {
    ASSERT_TRUE(Load("groups.txt"));
    const auto rows = Rows(Query());
    ExpectInitialLengthRange(rows.data());
}

TEST_F(Kvx610fTest, NullDevModeAndNullBuffer) {
    ASSERT_TRUE(Load("groups.txt"));  // series 0x21, model 0x07
    EXPECT_EQ(caps(nullptr, nullptr, 278, nullptr, nullptr), 0x0721u);
    EXPECT_EQ(caps(nullptr, nullptr, 269, nullptr, nullptr), 0x309120E3u);
    for (WORD index : {257, 270, 271, 274, 275, 276, 279, 280, 1})
        EXPECT_EQ(caps(nullptr, nullptr, index, nullptr, nullptr), kNoAnswer) << index;
    Query q;
    EXPECT_EQ(caps(nullptr, nullptr, 257, nullptr, q.devmode()), 7u);
    EXPECT_EQ(caps(nullptr, nullptr, 279, nullptr, q.devmode()), 7u);
    EXPECT_EQ(caps(nullptr, nullptr, 270, nullptr, q.devmode()), 2u);
}

TEST_F(Kvx610fTest, AttachFailuresFailTheLoadAndUnloadThePaperLibrary) {
    enum class Library { None, Real, WithoutInitialize };
    struct Case {
        const char* what;
        Library library;
        const char* source;  // compiled into KVX610ad.lyt, or none
        bool damage;         // one byte of the compiled table changed
    } cases[] = {
        {"no paper-table library", Library::None, "groups.txt", false},
        {"no LYT_InitializeA", Library::WithoutInitialize, "groups.txt", false},
        {"no table", Library::Real, nullptr, false},
        {"damaged table", Library::Real, "groups.txt", true},
        {"table without papers", Library::Real, "empty.txt", false},
    };
    const std::string compiler = WinPath(FAMILY_COMPILER);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stage.Clear();
        if (c.source != nullptr) {
            ASSERT_TRUE(
                family_test::CompileTable(compiler, Source(c.source), stage.Path(kBuiltInTable)));
        }
        if (c.damage) {
            auto bytes = stage.Read(kBuiltInTable);
            ASSERT_GT(bytes.size(), 200u);
            bytes[200] ^= 0x01;  // in the first paper's name field
            ASSERT_TRUE(stage.Write(kBuiltInTable, bytes));
        }
        if (c.library != Library::None) {
            const char* library = c.library == Library::Real ? KVX500I3_PATH : NO_INIT_LIBRARY_PATH;
            ASSERT_TRUE(stage.PutLibrary(WinPath(library)));
        }
        EXPECT_FALSE(LoadCaps());
        EXPECT_EQ(GetModuleHandleA("kvx500i3.dll"), nullptr);
        EXPECT_EQ(GetModuleHandleA("kvx610f.dll"), nullptr);
        Unload();
    }
}

}  // namespace
}  // namespace kvx610f
