#include "kvx610f/caps_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/kvx610f/fake_heap.h"
#include "tests/kvx610f/length_range_check.h"
#include "tests/kvx610f/paper_bytes.h"

namespace kvx610f {
namespace {

using namespace paper_info;
using testing::Concat;
using testing::Device;
using testing::ExpectInitialLengthRange;
using testing::FakeHeap;
using testing::Latin1Names;
using testing::Paper;

DeviceValues Dev() {
    return ReadDeviceValues(Device().data());
}

TEST(KindCodes, GroupAndFlags) {
    struct Case {
        int16_t kind;
        PaperGroup group;
        uint32_t flags;
    } cases[] = {
        {138, PaperGroup::kFirst, 0x40}, {139, PaperGroup::kFirst, 0x50},
        {8, PaperGroup::kSecond, 0x10},  {11, PaperGroup::kSecond, 0x10},
        {75, PaperGroup::kOther, 0x10},  {5, PaperGroup::kOther, 0},
        {0, PaperGroup::kOther, 0},      {-138, PaperGroup::kOther, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(GroupOfKind(c.kind), c.group);
        EXPECT_EQ(KindFlags(c.kind), c.flags);
    }
}

TEST(DeviceValuesTest, ReadsTheSixFields) {
    const DeviceValues d = ReadDeviceValues(Device(0x31, 0x09, 1270, 1000, 300, 600).data());
    EXPECT_EQ(d.seriesCode, 0x31);
    EXPECT_EQ(d.modelCode, 0x09);
    EXPECT_EQ(d.defaultLengthTenths, 1270);
    EXPECT_EQ(d.defaultLengthDots, 1000);
    EXPECT_EQ(d.xResolution, 300);
    EXPECT_EQ(d.yResolution, 600);
}

TEST(BuildEntryTest, UprightPaperTakesEveryField) {
    const PaperEntry e =
        BuildEntry(Paper(301).Set<uint16_t>(kPinOffsetRight, 7).data(), Dev(), Latin1Names);
    EXPECT_EQ(+e.paperId, 301);
    EXPECT_EQ(+e.xSizeDots, 400);
    EXPECT_EQ(+e.ySizeDots, 240);
    EXPECT_EQ(+e.xSizeTenths, 500);
    EXPECT_EQ(+e.ySizeTenths, 300);
    EXPECT_EQ(+e.xOffsetDots, 8);
    EXPECT_EQ(+e.yOffsetDots, 6);
    EXPECT_EQ(+e.xPrintDots, 384);
    EXPECT_EQ(+e.yPrintDots, 224);
    EXPECT_EQ(+e.xPrintTenths, 480);
    EXPECT_EQ(+e.yPrintTenths, 280);
    EXPECT_EQ(+e.zero, 0);
    EXPECT_STREQ(e.name1, "Label 301");
    EXPECT_STREQ(e.name2, "Label 301 in");
    EXPECT_EQ(+e.pinOffsetRight, 7);
}

TEST(BuildEntryTest, TurnedRecordExchangesTheAxes) {
    const PaperEntry e = BuildEntry(Paper().Flags(kFlagStoredTurned).data(), Dev(), Latin1Names);
    EXPECT_EQ(+e.xSizeDots, 240);
    EXPECT_EQ(+e.ySizeDots, 400);
    EXPECT_EQ(+e.xSizeTenths, 300);
    EXPECT_EQ(+e.ySizeTenths, 500);
    EXPECT_EQ(+e.xOffsetDots, 6);
    EXPECT_EQ(+e.yOffsetDots, 8);
    EXPECT_EQ(+e.xPrintDots, 224);
    EXPECT_EQ(+e.yPrintDots, 384);
    EXPECT_EQ(+e.xPrintTenths, 280);
    EXPECT_EQ(+e.yPrintTenths, 480);
}

TEST(BuildEntryTest, ZeroLengthsFallBackToDeviceDefaultsAndComputedPrintable) {
    // Device default: 1000 tenths, 800 dots, 203 dpi. Top offset 6: 800 - 12 = 788 dots,
    // 788 * 254 / 203 = 985 tenths (truncated).
    Paper upright;
    upright.Set<int16_t>(kLength, 0).Set<int16_t>(kLengthRes, 0);
    upright.Set<int16_t>(kImageLength, 0).Set<int16_t>(kImageLengthRes, 0);
    PaperEntry e = BuildEntry(upright.data(), Dev(), Latin1Names);
    EXPECT_EQ(+e.ySizeDots, 800);
    EXPECT_EQ(+e.ySizeTenths, 1000);
    EXPECT_EQ(+e.yPrintDots, 788);
    EXPECT_EQ(+e.yPrintTenths, 985);

    Paper turned = upright;
    turned.Flags(kFlagStoredTurned);
    e = BuildEntry(turned.data(), Dev(), Latin1Names);
    EXPECT_EQ(+e.xSizeDots, 800);
    EXPECT_EQ(+e.xSizeTenths, 1000);
    EXPECT_EQ(+e.xPrintDots, 800 - 2 * 6);
    EXPECT_EQ(+e.xPrintTenths, 985);

    // Without a Y resolution the printable tenths stay 0 instead of dividing by zero.
    e = BuildEntry(upright.data(), ReadDeviceValues(Device(1, 1, 1000, 800, 203, 0).data()),
                   Latin1Names);
    EXPECT_EQ(+e.yPrintTenths, 0);
}

TEST(BuildEntryTest, LinkFields) {
    struct Case {
        uint16_t split;
        int16_t linkId;
        uint8_t linkCount;
    } cases[] = {{0, 310, 1}, {3, 77, 4}, {0x1FF, 77, 0}, {0xFFFF, 77, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.split);
        Paper p(310);
        p.Set(kSplit, c.split).Set<int16_t>(kVirtualOffsetX, 77);
        const PaperEntry e = BuildEntry(p.data(), Dev(), Latin1Names);
        EXPECT_EQ(+e.linkId, c.linkId);
        EXPECT_EQ(+e.linkCount, c.linkCount);
    }
}

TEST(BuildEntryTest, NamesStayInsideTheirFields) {
    // A 32-unit name with no terminator must not run into the next field.
    const std::string full(32, 'W');
    Paper p;
    p.Name(kName1, full).Name(kName2, "x");
    EXPECT_STREQ(BuildEntry(p.data(), Dev(), Latin1Names).name1, full.c_str());

    // Whatever the conversion leaves, the 50th byte ends the name.
    auto fillAll = [](const char16_t*, char* out) { std::memset(out, 'A', kAnsiNameSize); };
    const PaperEntry e = BuildEntry(p.data(), Dev(), fillAll);
    EXPECT_EQ(std::string(e.name1), std::string(49, 'A'));
    EXPECT_EQ(std::string(e.name2), std::string(49, 'A'));
}

TEST(BuildClipTest, FlagsAndValues) {
    struct Case {
        uint8_t flags;
        int16_t left, top, right, bottom;
        PaperClipRecord expected;
    } cases[] = {
        {0, 0, 0, 0, 0, {0, 0, 0, 0, 0}},
        {kFlagClip, 0, 0, 0, 0, {0x200, 0, 0, 0, 0}},
        {0, 1, -2, 3, -4, {0x1000, 1, -2, 3, -4}},
        {kFlagClip, 0, 0, 0, -32768, {0x1600, 0, 0, 0, -32768}},
    };
    for (const Case& c : cases) {
        Paper p;
        p.Flags(c.flags);
        p.Set(kClipLeft, c.left).Set(kClipTop, c.top).Set(kClipRight, c.right);
        p.Set(kClipBottom, c.bottom);
        const PaperClipRecord r = BuildClip(p.data());
        SCOPED_TRACE(+c.expected.flags);
        EXPECT_EQ(+r.flags, +c.expected.flags);
        EXPECT_EQ(+r.left, +c.expected.left);
        EXPECT_EQ(+r.top, +c.expected.top);
        EXPECT_EQ(+r.right, +c.expected.right);
        EXPECT_EQ(+r.bottom, +c.expected.bottom);
    }
}

TEST(LengthRangeTest, InitialRows) {
    const auto rows = InitialLengthRange();
    ExpectInitialLengthRange(rows.data());
}

TEST(LengthRangeTest, Updates) {
    struct Case {
        const char* what;
        uint8_t flags;
        int16_t top, maxFeed, yRes;
        uint8_t mm0;
        int16_t dots0;
        uint8_t mm1;
        int16_t dots1;
    } cases[] = {
        {"not flagged", 0, 8, 2000, 203, 3, 24, 127, 1015},
        {"inside the range", kFlagLengthRange, 30, 1000, 203, 3, 24, 127, 1015},
        // 8 * 254 / 203 = 10, (10 + 5) / 10 = 1; 2000 * 254 / 203 = 2502 -> 250.
        {"widens both", kFlagLengthRange, 8, 2000, 203, 1, 8, 250, 2000},
        {"negative top", kFlagLengthRange, -100, 0, 203, 0, -100, 127, 1015},
        // 30000 dots is 3753 mm, more than the byte holds: kept at 255.
        {"beyond a byte", kFlagLengthRange, 24, 30000, 203, 3, 24, 255, 30000},
        {"no resolution", kFlagLengthRange, 8, 2000, 0, 3, 8, 127, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto rows = InitialLengthRange();
        Paper p;
        p.Flags(c.flags).Set(kOffsetY, c.top).Set(kMaxFeed, c.maxFeed);
        UpdateLengthRange(rows, p.data(), c.yRes);
        EXPECT_EQ(+rows[0].millimetres, c.mm0);
        EXPECT_EQ(+rows[0].dots, c.dots0);
        EXPECT_EQ(+rows[1].millimetres, c.mm1);
        EXPECT_EQ(+rows[1].dots, c.dots1);
        EXPECT_STREQ(rows[1].metricLabel, "127 mm");
    }
}

class CapsTablesTest : public ::testing::Test {
protected:
    FakeHeap heap;
};

TEST_F(CapsTablesTest, GroupsKeepDeliveryOrderWithinEachGroup) {
    CapsTables tables(heap, Latin1Names);
    tables.SetDevice(Dev());
    const auto papers = Concat(
        {Paper(1, 5), Paper(2, 138), Paper(3, 11), Paper(4, 75), Paper(5, 139), Paper(6, 8)});
    ASSERT_TRUE(tables.Build(papers.data(), papers.size(), 6));
    auto ids = [&](PaperGroup g) {
        std::vector<int> out;
        for (const PaperEntry& e : tables.Entries(g)) out.push_back(e.paperId);
        return out;
    };
    EXPECT_EQ(ids(PaperGroup::kFirst), (std::vector<int>{2, 5}));
    EXPECT_EQ(ids(PaperGroup::kSecond), (std::vector<int>{3, 6}));
    EXPECT_EQ(ids(PaperGroup::kOther), (std::vector<int>{1, 4}));
    EXPECT_EQ(tables.PaperCount(), 6u);
    EXPECT_EQ(heap.live.size(), 6u);  // entry and clip table for each group
    tables.Free();
    EXPECT_TRUE(heap.live.empty());
}

TEST_F(CapsTablesTest, EmptyGroupsAllocateNothing) {
    CapsTables tables(heap, Latin1Names);
    const auto papers = Concat({Paper(1, 5), Paper(2, 6)});
    ASSERT_TRUE(tables.Build(papers.data(), papers.size(), 2));
    EXPECT_EQ(heap.live.size(), 2u);
    EXPECT_TRUE(tables.Entries(PaperGroup::kFirst).empty());
}

TEST_F(CapsTablesTest, AnyAllocationFailureFreesEveryTable) {
    const auto papers = Concat({Paper(1, 5), Paper(2, 138), Paper(3, 8)});
    for (int failAt = 1; failAt <= 6; ++failAt) {
        SCOPED_TRACE(failAt);
        FakeHeap failing;
        failing.failAt = failAt;
        CapsTables tables(failing, Latin1Names);
        EXPECT_FALSE(tables.Build(papers.data(), papers.size(), 3));
        EXPECT_TRUE(failing.live.empty());
        EXPECT_EQ(tables.PaperCount(), 0u);
    }
}

TEST_F(CapsTablesTest, RebuildReplacesEarlierTables) {
    CapsTables tables(heap, Latin1Names);
    const auto first = Concat({Paper(1, 5), Paper(2, 138)});
    const auto second = Concat({Paper(9, 8)});
    ASSERT_TRUE(tables.Build(first.data(), first.size(), 2));
    ASSERT_TRUE(tables.Build(second.data(), second.size(), 1));
    EXPECT_EQ(tables.PaperCount(), 1u);
    EXPECT_EQ(heap.live.size(), 2u);
}

TEST_F(CapsTablesTest, CountsAreBoundedByTheBufferAndReadAsSigned16Bit) {
    const auto papers = Concat({Paper(1), Paper(2)});
    struct Case {
        uint32_t count;
        size_t bytes;
        uint32_t built;
    } cases[] = {
        {2, papers.size(), 2},       {5, papers.size(), 2},  // more reported than delivered
        {2, papers.size() - 1, 1},                           // a partial record is not read
        {0x8000, papers.size(), 0},                          // negative as a 16-bit count
        {0x10002, papers.size(), 2},                         // only the low 16 bits count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        CapsTables tables(heap, Latin1Names);
        ASSERT_TRUE(tables.Build(papers.data(), c.bytes, c.count));
        EXPECT_EQ(tables.PaperCount(), c.built);
    }
}

}  // namespace
}  // namespace kvx610f
