#include "kvx610f/caps_answer.h"

#include <gtest/gtest.h>

#include <vector>

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

// A DEVMODEA as bytes: public part of `size` bytes followed by `extra` private bytes.
struct DevMode {
    std::vector<uint8_t> bytes;
    DevMode(uint16_t size = 156, uint16_t extra = 32, int16_t xRes = 203, int16_t yRes = 203)
        : bytes(size_t{size} + extra + 64) {
        Put(devmode::kSize, size);
        Put(devmode::kDriverExtra, extra);
        Put(devmode::kPrintQuality, xRes);
        Put(devmode::kYResolution, yRes);
    }
    template <class T>
    void Put(size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
    }
    DevMode& Turned() {
        const uint16_t size = ReadAt<uint16_t>(bytes.data(), devmode::kSize);
        Put<uint32_t>(size + devmode::kPrivateFlagOffset, devmode::kTurnedFlag | 0x3);
        return *this;
    }
    const uint8_t* data() const { return bytes.data(); }
};

class AnswerTest : public ::testing::Test {
protected:
    void Load(const std::vector<Paper>& papers, const Device& device = Device()) {
        tables.SetDevice(ReadDeviceValues(device.data()));
        const auto bytes = Concat(papers);
        ASSERT_TRUE(tables.Build(bytes.data(), bytes.size(), static_cast<uint32_t>(papers.size())));
    }
    std::vector<PaperCapsRecord> Caps(const DevMode& dm) {
        const uint32_t n = Answer(tables, kIndexPaperCaps, nullptr, dm.data());
        std::vector<PaperCapsRecord> out(n);
        EXPECT_EQ(Answer(tables, kIndexPaperCaps, out.data(), dm.data()), n);
        return out;
    }
    std::vector<PaperClipRecord> Clips(const DevMode& dm) {
        const uint32_t n = Answer(tables, kIndexPaperClips, nullptr, dm.data());
        std::vector<PaperClipRecord> out(n);
        EXPECT_EQ(Answer(tables, kIndexPaperClips, out.data(), dm.data()), n);
        return out;
    }
    std::vector<LengthRangeRow> Rows(const DevMode& dm) {
        std::vector<LengthRangeRow> rows(2);
        EXPECT_EQ(Answer(tables, kIndexLengthRange, rows.data(), dm.data()), 2u);
        return rows;
    }

    FakeHeap heap;
    CapsTables tables{heap, Latin1Names};
};

TEST_F(AnswerTest, FixedAnswersWithAndWithoutDevMode) {
    Load({Paper(1), Paper(2, 138)}, Device(0x21, 0x07));
    const DevMode dm;
    struct Case {
        uint16_t index;
        uint32_t withoutDevMode;
        uint32_t withDevMode;
    } cases[] = {
        {278, 0x0721, 0x0721},       {269, 0x309120E3, 0x309120E3}, {257, kNoAnswer, 2},
        {279, kNoAnswer, 2},         {270, kNoAnswer, 2},           {271, kNoAnswer, 2},
        {276, kNoAnswer, 1},         {280, kNoAnswer, 3},           {274, kNoAnswer, 0},
        {275, kNoAnswer, 0},         {0, kNoAnswer, kNoAnswer},     {256, kNoAnswer, kNoAnswer},
        {272, kNoAnswer, kNoAnswer}, {277, kNoAnswer, kNoAnswer},   {281, kNoAnswer, kNoAnswer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(Answer(tables, c.index, nullptr, nullptr), c.withoutDevMode);
        EXPECT_EQ(Answer(tables, c.index, nullptr, dm.data()), c.withDevMode);
    }
}

TEST_F(AnswerTest, NullDevModeWritesNothing) {
    Load({Paper(1)});
    std::vector<uint8_t> out(200, 0xAA);
    for (uint16_t index : {257, 278, 279, 270, 269}) Answer(tables, index, out.data(), nullptr);
    EXPECT_EQ(out, std::vector<uint8_t>(200, 0xAA));
}

TEST_F(AnswerTest, PaperRecordsFollowTheGroupOrder) {
    Load({Paper(1, 5), Paper(2, 138), Paper(3, 75), Paper(4, 11), Paper(5, 139)});
    std::vector<int> ids, flags;
    for (const PaperCapsRecord& r : Caps(DevMode())) {
        ids.push_back(r.paperId);
        flags.push_back(static_cast<int>(r.kindFlags));
    }
    EXPECT_EQ(ids, (std::vector<int>{2, 5, 4, 1, 3}));
    EXPECT_EQ(flags, (std::vector<int>{0x40, 0x50, 0x10, 0, 0x10}));
}

TEST_F(AnswerTest, PaperRecordFields) {
    Load({Paper(301, 5)});
    const PaperCapsRecord r = Caps(DevMode())[0];
    EXPECT_EQ(+r.paperId, 301);
    EXPECT_EQ(+r.ySizeDots, 240);
    EXPECT_EQ(+r.ySizeTenths, 300);
    EXPECT_EQ(+r.yOffsetDots, 6);
    EXPECT_EQ(+r.yPrintDots, 224);
    EXPECT_EQ(+r.zero, 0);
    EXPECT_STREQ(r.name1, "Label 301");
    EXPECT_STREQ(r.name2, "Label 301 in");
    EXPECT_EQ(+r.xSizeDots, 400);
    EXPECT_EQ(+r.xSizeTenths, 500);
    EXPECT_EQ(+r.xOffsetDots, 8);
    EXPECT_EQ(+r.xPrintDots, 384);
    EXPECT_EQ(+r.xPrintTenths, 480);
    EXPECT_EQ(+r.yPrintTenths, 280);
}

TEST_F(AnswerTest, RecordsLieBackToBackAndTheirTailIsNotWritten) {
    Load({Paper(1), Paper(2)});
    std::vector<uint8_t> out(2 * sizeof(PaperCapsRecord) + 4, 0xAA);
    ASSERT_EQ(Answer(tables, kIndexPaperCaps, out.data(), DevMode().data()), 2u);
    EXPECT_EQ(ReadAt<uint16_t>(out.data(), sizeof(PaperCapsRecord)), 2);
    for (size_t record = 0; record < 2; ++record)
        for (size_t i = kPaperCapsWritten; i < sizeof(PaperCapsRecord); ++i)
            EXPECT_EQ(out[record * sizeof(PaperCapsRecord) + i], 0xAA) << record << ":" << i;
    for (size_t i = 2 * sizeof(PaperCapsRecord); i < out.size(); ++i) EXPECT_EQ(out[i], 0xAA);
}

TEST_F(AnswerTest, LinkFieldsByGroup) {
    auto linked = [](int16_t id, int16_t kind) {
        Paper p(id, kind);
        p.Set<uint16_t>(kSplit, 2).Set<int16_t>(kVirtualOffsetX, 900);
        return p;
    };
    Load({linked(1, 138), linked(2, 8), linked(3, 5), Paper(4, 5)});
    const auto r = Caps(DevMode());
    EXPECT_EQ(+r[0].linkId, 1);
    EXPECT_EQ(+r[0].linkCount, 1);
    EXPECT_EQ(+r[1].linkId, 2);
    EXPECT_EQ(+r[1].linkCount, 1);
    EXPECT_EQ(+r[2].linkId, 900);
    EXPECT_EQ(+r[2].linkCount, 3);
    EXPECT_EQ(+r[3].linkId, 4);
    EXPECT_EQ(+r[3].linkCount, 1);
}

TEST_F(AnswerTest, DoubledResolutionScalesDotsOnly) {
    Paper p;
    p.Flags(kFlagLengthRange | kFlagClip).Set<int16_t>(kOffsetY, 10).Set<int16_t>(kMaxFeed, 2000);
    p.Set<int16_t>(kClipLeft, 1).Set<int16_t>(kClipTop, 2).Set<int16_t>(kClipRight, 3);
    p.Set<int16_t>(kClipBottom, 4);
    Load({p});
    struct Case {
        int16_t xRes, yRes;
        int d, c;
    } cases[] = {
        {203, 203, 1, 1}, {406, 203, 2, 1}, {203, 406, 1, 2}, {406, 406, 2, 2}, {300, 600, 1, 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.xRes << "x" << k.yRes);
        const DevMode dm(156, 32, k.xRes, k.yRes);
        const PaperCapsRecord r = Caps(dm)[0];
        EXPECT_EQ(+r.ySizeDots, 240 * k.c);
        EXPECT_EQ(+r.yOffsetDots, 10 * k.c);
        EXPECT_EQ(+r.yPrintDots, 224 * k.c);
        EXPECT_EQ(+r.ySizeTenths, 300);
        EXPECT_EQ(+r.yPrintTenths, 280);
        EXPECT_EQ(+r.xSizeDots, 400 * k.d);
        EXPECT_EQ(+r.xOffsetDots, 8 * k.d);
        EXPECT_EQ(+r.xPrintDots, 384 * k.d);
        EXPECT_EQ(+r.xSizeTenths, 500);
        EXPECT_EQ(+r.xPrintTenths, 480);
        const PaperClipRecord clip = Clips(dm)[0];
        EXPECT_EQ(+clip.flags, 0x1600);
        EXPECT_EQ(+clip.left, 1 * k.d);
        EXPECT_EQ(+clip.top, 2 * k.c);
        EXPECT_EQ(+clip.right, 3 * k.d);
        EXPECT_EQ(+clip.bottom, 4 * k.c);
        const auto rows = Rows(dm);
        EXPECT_EQ(+rows[0].dots, 10 * k.c);
        EXPECT_EQ(+rows[1].dots, 2000 * k.c);
        EXPECT_EQ(+rows[0].millimetres, 1);
        EXPECT_EQ(+rows[1].millimetres, 250);
    }
}

TEST_F(AnswerTest, TurnedFlagMirrorsOffsetsAndClips) {
    // 100 dots long, top offset 10, printable 70: 100 - 10 - 70 = 20 from the other end.
    Paper p;
    p.Set<int16_t>(kLengthRes, 100).Set<int16_t>(kOffsetY, 10).Set<int16_t>(kImageLengthRes, 70);
    p.Set<int16_t>(kWidthRes, 400).Set<int16_t>(kOffsetX, 8).Set<int16_t>(kImageWidthRes, 384);
    p.Set<int16_t>(kClipLeft, 1).Set<int16_t>(kClipTop, 2).Set<int16_t>(kClipRight, 3);
    p.Set<int16_t>(kClipBottom, 4);
    Load({p});

    const PaperCapsRecord upright = Caps(DevMode())[0];
    EXPECT_EQ(+upright.yOffsetDots, 10);
    EXPECT_EQ(+upright.xOffsetDots, 8);

    const PaperCapsRecord turned = Caps(DevMode().Turned())[0];
    EXPECT_EQ(+turned.yOffsetDots, 20);
    EXPECT_EQ(+turned.xOffsetDots, 400 - 8 - 384);
    EXPECT_EQ(+turned.ySizeDots, 100);
    EXPECT_EQ(+turned.yPrintDots, 70);

    const PaperClipRecord clip = Clips(DevMode().Turned())[0];
    EXPECT_EQ(+clip.left, 3);
    EXPECT_EQ(+clip.top, 4);
    EXPECT_EQ(+clip.right, 1);
    EXPECT_EQ(+clip.bottom, 2);

    DevMode doubled(156, 32, 406, 406);
    EXPECT_EQ(+Caps(doubled.Turned())[0].yOffsetDots, 40);
}

TEST_F(AnswerTest, TurnedFlagCountsOnlyWhenTheDevModeCarriesIt) {
    Paper p;
    p.Set<int16_t>(kLengthRes, 100).Set<int16_t>(kOffsetY, 10).Set<int16_t>(kImageLengthRes, 70);
    Load({p});
    struct Case {
        const char* what;
        uint16_t size, extra;
        int16_t yRes;
        uint16_t yOffset;
    } cases[] = {
        {"full private part", 156, 26, 203, 20},
        {"older public part", 148, 40, 203, 20},
        {"private part too short", 156, 25, 203, 10},
        {"no private part", 156, 0, 203, 10},
        // A dmSize that does not even cover the resolution fields: nothing is read.
        {"public part too short", 40, 200, 406, 10},
        {"public part just covers resolutions", devmode::kMinPublicSize, 26, 406, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DevMode dm(c.size, c.extra, 203, c.yRes);
        dm.Turned();
        EXPECT_EQ(+Caps(dm)[0].yOffsetDots, c.yOffset);
    }
}

TEST_F(AnswerTest, LengthRangeUnchangedWithoutFlaggedPapers) {
    Paper p;
    p.Set<int16_t>(kOffsetY, 2).Set<int16_t>(kMaxFeed, 5000);
    Load({p});
    std::vector<uint8_t> out(2 * sizeof(LengthRangeRow), 0xAA);
    ASSERT_EQ(Answer(tables, kIndexLengthRange, out.data(), DevMode().data()), 2u);
    const auto* rows = reinterpret_cast<const LengthRangeRow*>(out.data());
    ExpectInitialLengthRange(rows);
    // Labels are copied as strings: the bytes after their terminator stay as they were.
    EXPECT_EQ(out[offsetof(LengthRangeRow, metricLabel) + 5], 0xAA);
}

TEST_F(AnswerTest, NoPapersNoRecords) {
    FakeHeap h;
    CapsTables empty(h, Latin1Names);
    std::vector<uint8_t> out(8, 0xAA);
    EXPECT_EQ(Answer(empty, kIndexPaperCaps, out.data(), DevMode().data()), 0u);
    EXPECT_EQ(Answer(empty, kIndexPaperClips, out.data(), DevMode().data()), 0u);
    EXPECT_EQ(out, std::vector<uint8_t>(8, 0xAA));
}

}  // namespace
}  // namespace kvx610f
