// kvx610f.dll as its host sees it: loaded by path, attaching to the paper-table
// library in the driver folder, answering through its one export.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "devcaps/caps_records.h"
#include "tests/devcaps/driver_folder_win.h"
#include "tests/devcaps/paper_bytes.h"

namespace devcaps {
namespace {

using namespace paper_info;
using testing::Concat;
using testing::Device;
using testing::DriverFolderStage;
using testing::Paper;

using CapsFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);

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

    bool Load(const std::vector<Paper>& papers, const Device& device = Device()) {
        std::vector<uint8_t> table = device.bytes;
        const auto records = Concat(papers);
        table.insert(table.end(), records.begin(), records.end());
        EXPECT_TRUE(stage.PutLibrary(FAKE_LYT_PATH));
        EXPECT_TRUE(stage.PutTable(table));
        return LoadCaps();
    }
    bool LoadCaps() {
        module = LoadLibraryA(KVX610F_PATH);
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

    DriverFolderStage stage;
    HMODULE module = nullptr;
    CapsFn caps = nullptr;
};

TEST_F(Kvx610fTest, ExportAndLibraryUnloadedAfterAttach) {
    ASSERT_TRUE(Load({Paper(1)}));
    EXPECT_EQ(GetModuleHandleA("kvx500i3.dll"), nullptr);
    char name[MAX_PATH] = {};
    GetModuleFileNameA(module, name, MAX_PATH);
    EXPECT_NE(std::string(name).find("kvx610f.dll"), std::string::npos);
}

TEST_F(Kvx610fTest, GroupOrderAndKindFlags) {
    ASSERT_TRUE(Load({Paper(1, 5), Paper(2, 138), Paper(3, 75), Paper(4, 8)}));
    const auto papers = Papers(Query());
    ASSERT_EQ(papers.size(), 4u);
    EXPECT_EQ(+papers[0].paperId, 2);
    EXPECT_EQ(+papers[0].kindFlags, 0x40u);
    EXPECT_EQ(+papers[1].paperId, 4);
    EXPECT_EQ(+papers[2].paperId, 1);
    EXPECT_EQ(+papers[3].paperId, 3);
    EXPECT_EQ(+papers[3].kindFlags, 0x10u);
    EXPECT_STREQ(papers[3].name1, "Label 3");
}

TEST_F(Kvx610fTest, ZeroLengthsUseDeviceDefaults) {
    Paper p;
    p.Set<int16_t>(kLength, 0).Set<int16_t>(kLengthRes, 0).Set<int16_t>(kImageLengthRes, 0);
    p.Set<int16_t>(kOffsetY, 12);
    ASSERT_TRUE(Load({p}, Device(0x21, 0x07, 1500, 1200)));
    const PaperCapsRecord r = Papers(Query())[0];
    EXPECT_EQ(+r.ySizeTenths, 1500);
    EXPECT_EQ(+r.ySizeDots, 1200);
    EXPECT_EQ(+r.yPrintDots, 1200 - 24);
}

TEST_F(Kvx610fTest, DoubledYResolutionAndTurnedFlag) {
    Paper p;
    p.Set<int16_t>(kLengthRes, 100).Set<int16_t>(kOffsetY, 10).Set<int16_t>(kImageLengthRes, 70);
    p.Set<int16_t>(kClipLeft, 1).Set<int16_t>(kClipRight, 3).Set<int16_t>(kClipTop, 2);
    ASSERT_TRUE(Load({p}));
    PaperCapsRecord r = Papers(Query(203, 406))[0];
    EXPECT_EQ(+r.ySizeDots, 200);
    EXPECT_EQ(+r.yOffsetDots, 20);
    EXPECT_EQ(+r.ySizeTenths, 300);
    EXPECT_EQ(+r.xSizeDots, 400);

    r = Papers(Query(203, 203, true))[0];
    EXPECT_EQ(+r.yOffsetDots, 20);
    Query turned(203, 203, true);
    PaperClipRecord clip{};
    ASSERT_EQ(caps(nullptr, nullptr, 279, reinterpret_cast<LPSTR>(&clip), turned.devmode()), 1u);
    EXPECT_EQ(+clip.left, 3);
    EXPECT_EQ(+clip.right, 1);
}

TEST_F(Kvx610fTest, LengthRangeWithoutFlaggedPapers) {
    ASSERT_TRUE(Load({Paper(1), Paper(2)}));
    LengthRangeRow rows[2] = {};
    Query q;
    ASSERT_EQ(caps(nullptr, nullptr, 270, reinterpret_cast<LPSTR>(rows), q.devmode()), 2u);
    EXPECT_EQ(+rows[0].millimetres, 3);
    EXPECT_EQ(+rows[0].dots, 24);
    EXPECT_EQ(+rows[1].millimetres, 127);
    EXPECT_EQ(+rows[1].dots, 1015);
    EXPECT_STREQ(rows[1].inchLabel, "5 \"");
}

TEST_F(Kvx610fTest, NullDevModeAndNullBuffer) {
    ASSERT_TRUE(Load({Paper(1), Paper(2), Paper(3)}, Device(0x21, 0x07)));
    EXPECT_EQ(caps(nullptr, nullptr, 278, nullptr, nullptr), 0x0721u);
    EXPECT_EQ(caps(nullptr, nullptr, 269, nullptr, nullptr), 0x309120E3u);
    for (WORD index : {257, 270, 271, 274, 275, 276, 279, 280, 1})
        EXPECT_EQ(caps(nullptr, nullptr, index, nullptr, nullptr), 0xFFFFFFFFu) << index;
    Query q;
    EXPECT_EQ(caps(nullptr, nullptr, 257, nullptr, q.devmode()), 3u);
    EXPECT_EQ(caps(nullptr, nullptr, 279, nullptr, q.devmode()), 3u);
}

TEST_F(Kvx610fTest, AttachFailuresFailTheLoadAndUnloadTheLibrary) {
    struct Case {
        const char* what;
        const char* library;
        bool table;
        size_t papers;
    } cases[] = {
        {"no library", nullptr, true, 1},
        {"no LYT_InitializeA", FAKE_LYT_NOINIT_PATH, true, 1},
        {"no table", FAKE_LYT_PATH, false, 0},
        {"empty list", FAKE_LYT_PATH, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stage.Clear();
        if (c.library != nullptr) {
            ASSERT_TRUE(stage.PutLibrary(c.library));
        }
        if (c.table) {
            std::vector<uint8_t> table = Device().bytes;
            if (c.papers > 0) {
                const auto records = Paper(1).bytes;
                table.insert(table.end(), records.begin(), records.end());
            }
            ASSERT_TRUE(stage.PutTable(table));
        }
        EXPECT_FALSE(LoadCaps());
        EXPECT_EQ(GetModuleHandleA("kvx500i3.dll"), nullptr);
        EXPECT_EQ(GetModuleHandleA("kvx610f.dll"), nullptr);
        Unload();
    }
}

}  // namespace
}  // namespace devcaps
