#include "kvx610f/caps_tables.h"

#include <algorithm>
#include <cstring>

namespace kvx610f {

namespace {

int16_t I16(const uint8_t* record, size_t offset) {
    return ReadAt<int16_t>(record, offset);
}

void ConvertName(const uint8_t* field, NameConverter convert, char* out) {
    // The field holds 32 units and need not be terminated; never read past it.
    char16_t name[paper_info::kNameUnits + 1] = {};
    std::memcpy(name, field, paper_info::kNameUnits * sizeof(char16_t));
    convert(name, out);
    out[kAnsiNameSize - 1] = '\0';
}

int16_t TenthsFromDots(int16_t dots, int16_t resolution) {
    if (resolution == 0) return 0;
    return static_cast<int16_t>(dots * 254 / resolution);
}

void SetLabel(char* field, const char* text) {
    std::memset(field, 0, kAnsiNameSize);
    std::memcpy(field, text, std::strlen(text));
}

}  // namespace

PaperGroup GroupOfKind(int16_t kind) {
    switch (kind) {
        case 138:
        case 139:
            return PaperGroup::kFirst;
        case 8:
        case 11:
            return PaperGroup::kSecond;
        default:
            return PaperGroup::kOther;
    }
}

uint32_t KindFlags(int16_t kind) {
    uint32_t flags = 0;
    if (kind == 8 || kind == 11 || kind == 75 || kind == 139) flags = 0x10;
    if (kind == 138 || kind == 139) flags += 0x40;
    return flags;
}

DeviceValues ReadDeviceValues(const uint8_t* deviceInfo) {
    using namespace device_info;
    DeviceValues device;
    device.seriesCode = deviceInfo[kSeriesCode];
    device.modelCode = deviceInfo[kModelCode];
    device.defaultLengthTenths = I16(deviceInfo, kDefaultLength);
    device.defaultLengthDots = I16(deviceInfo, kDefaultLengthRes);
    device.xResolution = I16(deviceInfo, kXResolution);
    device.yResolution = I16(deviceInfo, kYResolution);
    return device;
}

PaperEntry BuildEntry(const uint8_t* paper, const DeviceValues& device, NameConverter convert) {
    using namespace paper_info;
    PaperEntry entry{};
    entry.paperId = I16(paper, kPaperSize);

    auto orDefault = [](int16_t value, int16_t fallback) { return value != 0 ? value : fallback; };
    const int16_t lengthDots = orDefault(I16(paper, kLengthRes), device.defaultLengthDots);
    const int16_t lengthTenths = orDefault(I16(paper, kLength), device.defaultLengthTenths);

    if ((paper[kFlags] & kFlagStoredTurned) == 0) {
        entry.xSizeDots = I16(paper, kWidthRes);
        entry.ySizeDots = lengthDots;
        entry.xSizeTenths = I16(paper, kWidth);
        entry.ySizeTenths = lengthTenths;
        entry.xOffsetDots = I16(paper, kOffsetX);
        entry.yOffsetDots = I16(paper, kOffsetY);
        entry.xPrintDots = I16(paper, kImageWidthRes);
        entry.yPrintDots = orDefault(I16(paper, kImageLengthRes),
                                     static_cast<int16_t>(entry.ySizeDots - 2 * entry.yOffsetDots));
        entry.xPrintTenths = I16(paper, kImageWidth);
        entry.yPrintTenths = orDefault(I16(paper, kImageLength),
                                       TenthsFromDots(entry.yPrintDots, device.yResolution));
    } else {
        entry.xSizeDots = lengthDots;
        entry.ySizeDots = I16(paper, kWidthRes);
        entry.xSizeTenths = lengthTenths;
        entry.ySizeTenths = I16(paper, kWidth);
        entry.xOffsetDots = I16(paper, kOffsetY);
        entry.yOffsetDots = I16(paper, kOffsetX);
        entry.xPrintDots = orDefault(I16(paper, kImageLengthRes),
                                     static_cast<int16_t>(entry.xSizeDots - 2 * entry.xOffsetDots));
        entry.yPrintDots = I16(paper, kImageWidthRes);
        entry.xPrintTenths = orDefault(I16(paper, kImageLength),
                                       TenthsFromDots(entry.xPrintDots, device.yResolution));
        entry.yPrintTenths = I16(paper, kImageWidth);
    }

    ConvertName(paper + kName1, convert, entry.name1);
    ConvertName(paper + kName2, convert, entry.name2);
    const int16_t kind = I16(paper, kType);
    entry.kindFlags = KindFlags(kind);
    const uint16_t split = ReadAt<uint16_t>(paper, kSplit);
    entry.linkId = split > 0 ? I16(paper, kVirtualOffsetX) : entry.paperId;
    entry.linkCount = static_cast<uint8_t>((split & 0xFF) + 1);
    entry.pinOffsetRight = ReadAt<uint16_t>(paper, kPinOffsetRight);
    return entry;
}

PaperClipRecord BuildClip(const uint8_t* paper) {
    using namespace paper_info;
    PaperClipRecord clip{};
    const bool flagged = (paper[kFlags] & kFlagClip) != 0;
    if (flagged) clip.flags |= kClipFlagged;
    const int16_t left = I16(paper, kClipLeft);
    const int16_t top = I16(paper, kClipTop);
    const int16_t right = I16(paper, kClipRight);
    const int16_t bottom = I16(paper, kClipBottom);
    if (left == 0 && top == 0 && right == 0 && bottom == 0) return clip;
    if (flagged) clip.flags |= kClipFlaggedWithArea;
    clip.flags |= kClipHasArea;
    clip.left = left;
    clip.top = top;
    clip.right = right;
    clip.bottom = bottom;
    return clip;
}

uint8_t RangeMillimetres(int16_t dots, int16_t yResolution, uint8_t previous) {
    // Without a resolution there is nothing to convert with; the old figure stays.
    if (yResolution == 0) return previous;
    const int millimetres = (dots * 254 / yResolution + 5) / 10;
    return static_cast<uint8_t>(std::clamp(millimetres, 0, 255));
}

void UpdateLengthRange(std::array<LengthRangeRow, 2>& rows, const uint8_t* paper,
                       int16_t yResolution) {
    using namespace paper_info;
    if ((paper[kFlags] & kFlagLengthRange) == 0) return;
    const int16_t top = I16(paper, kOffsetY);
    if (top < rows[0].dots) {
        rows[0].dots = top;
        rows[0].millimetres = RangeMillimetres(top, yResolution, rows[0].millimetres);
    }
    const int16_t maxFeed = I16(paper, kMaxFeed);
    if (maxFeed > rows[1].dots) {
        rows[1].dots = maxFeed;
        rows[1].millimetres = RangeMillimetres(maxFeed, yResolution, rows[1].millimetres);
    }
}

std::array<LengthRangeRow, 2> InitialLengthRange() {
    std::array<LengthRangeRow, 2> rows{};
    rows[0].millimetres = 3;
    rows[0].dots = 24;
    SetLabel(rows[0].metricLabel, "3 mm");
    SetLabel(rows[0].inchLabel, "0.12 \"");
    rows[1].millimetres = 127;
    rows[1].dots = 1015;
    SetLabel(rows[1].metricLabel, "127 mm");
    SetLabel(rows[1].inchLabel, "5 \"");
    return rows;
}

CapsTables::CapsTables(TableHeap& heap, NameConverter convert)
    : heap_(heap), convert_(convert), lengthRange_(InitialLengthRange()) {}

CapsTables::~CapsTables() {
    Free();
}

void CapsTables::Free() {
    for (GroupTable& group : groups_) {
        heap_.Release(group.entries);
        heap_.Release(group.clips);
        group = GroupTable{};
    }
}

bool CapsTables::Build(const uint8_t* papers, size_t bytes, uint32_t count) {
    Free();
    // Counts are 16-bit signed; a count that reads as 0 or negative means no papers.
    const int16_t reported = static_cast<int16_t>(count);
    const size_t available = papers != nullptr ? bytes / paper_info::kSize : 0;
    const size_t total = reported > 0 ? std::min<size_t>(reported, available) : 0;

    std::array<int16_t, kGroupCount> counts{};
    for (size_t i = 0; i < total; ++i) {
        const uint8_t* paper = papers + i * paper_info::kSize;
        ++counts[static_cast<size_t>(GroupOfKind(I16(paper, paper_info::kType)))];
    }
    for (size_t g = 0; g < kGroupCount; ++g) {
        if (counts[g] <= 0) continue;
        const size_t n = static_cast<size_t>(counts[g]);
        groups_[g].entries = static_cast<PaperEntry*>(heap_.Allocate(n * sizeof(PaperEntry)));
        groups_[g].clips =
            static_cast<PaperClipRecord*>(heap_.Allocate(n * sizeof(PaperClipRecord)));
        if (groups_[g].entries == nullptr || groups_[g].clips == nullptr) {
            Free();
            return false;
        }
    }
    for (size_t i = 0; i < total; ++i) {
        const uint8_t* paper = papers + i * paper_info::kSize;
        GroupTable& group =
            groups_[static_cast<size_t>(GroupOfKind(I16(paper, paper_info::kType)))];
        group.entries[group.count] = BuildEntry(paper, device_, convert_);
        group.clips[group.count] = BuildClip(paper);
        ++group.count;
        UpdateLengthRange(lengthRange_, paper, device_.yResolution);
    }
    return true;
}

std::span<const PaperEntry> CapsTables::Entries(PaperGroup group) const {
    const GroupTable& table = groups_[static_cast<size_t>(group)];
    return {table.entries, static_cast<size_t>(table.count)};
}

std::span<const PaperClipRecord> CapsTables::Clips(PaperGroup group) const {
    const GroupTable& table = groups_[static_cast<size_t>(group)];
    return {table.clips, static_cast<size_t>(table.count)};
}

uint32_t CapsTables::PaperCount() const {
    uint32_t total = 0;
    for (const GroupTable& group : groups_) total += static_cast<uint32_t>(group.count);
    return total;
}

}  // namespace kvx610f
