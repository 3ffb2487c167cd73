#include "kvx610f/caps_answer.h"

#include <cstring>

namespace kvx610f {

namespace {

uint16_t Times(int value, int factor) {
    return static_cast<uint16_t>(value * factor);
}

int32_t Times32(int32_t value, int factor) {
    return static_cast<int32_t>(static_cast<int64_t>(value) * factor);
}

// Copies a label up to and including its NUL; the rest of the field is left alone.
void CopyLabel(char* out, const char* label) {
    const size_t length = strnlen(label, kAnsiNameSize - 1);
    std::memcpy(out, label, length);
    out[length] = '\0';
}

bool IsGroupedLink(PaperGroup group) {
    return group != PaperGroup::kOther;
}

uint8_t* WritePaperCaps(const PaperEntry& entry, PaperGroup group, const QueryView& query,
                        uint8_t* out) {
    const int d = query.xFactor;
    const int c = query.yFactor;
    PaperCapsRecord record{};
    record.paperId = static_cast<uint16_t>(entry.paperId);
    record.ySizeDots = Times(entry.ySizeDots, c);
    record.ySizeTenths = static_cast<uint16_t>(entry.ySizeTenths);
    record.yPrintDots = Times(entry.yPrintDots, c);
    std::memcpy(record.name1, entry.name1, kAnsiNameSize);
    std::memcpy(record.name2, entry.name2, kAnsiNameSize);
    record.xSizeDots = Times(entry.xSizeDots, d);
    record.xSizeTenths = static_cast<uint16_t>(entry.xSizeTenths);
    record.xPrintDots = Times(entry.xPrintDots, d);
    record.xPrintTenths = static_cast<uint16_t>(entry.xPrintTenths);
    record.yPrintTenths = static_cast<uint16_t>(entry.yPrintTenths);
    if (query.turned) {
        record.yOffsetDots = Times(entry.ySizeDots - entry.yOffsetDots - entry.yPrintDots, c);
        record.xOffsetDots = Times(entry.xSizeDots - entry.xOffsetDots - entry.xPrintDots, d);
    } else {
        record.yOffsetDots = Times(entry.yOffsetDots, c);
        record.xOffsetDots = Times(entry.xOffsetDots, d);
    }
    record.kindFlags = entry.kindFlags;
    if (IsGroupedLink(group)) {
        record.linkId = static_cast<uint16_t>(entry.paperId);
        record.linkCount = 1;
    } else {
        record.linkId = static_cast<uint16_t>(entry.linkId);
        record.linkCount = entry.linkCount;
    }
    std::memcpy(out, &record, kPaperCapsWritten);
    return out + sizeof(PaperCapsRecord);
}

uint8_t* WriteClip(const PaperClipRecord& clip, const QueryView& query, uint8_t* out) {
    const int d = query.xFactor;
    const int c = query.yFactor;
    PaperClipRecord record{};
    record.flags = clip.flags;
    record.left = Times32(query.turned ? clip.right : clip.left, d);
    record.top = Times32(query.turned ? clip.bottom : clip.top, c);
    record.right = Times32(query.turned ? clip.left : clip.right, d);
    record.bottom = Times32(query.turned ? clip.top : clip.bottom, c);
    std::memcpy(out, &record, sizeof record);
    return out + sizeof record;
}

void WriteLengthRange(const std::array<LengthRangeRow, 2>& rows, const QueryView& query,
                      uint8_t* out) {
    for (const LengthRangeRow& row : rows) {
        const uint16_t dots = Times(row.dots, query.yFactor);
        out[offsetof(LengthRangeRow, millimetres)] = row.millimetres;
        std::memcpy(out + offsetof(LengthRangeRow, dots), &dots, sizeof dots);
        CopyLabel(reinterpret_cast<char*>(out + offsetof(LengthRangeRow, metricLabel)),
                  row.metricLabel);
        CopyLabel(reinterpret_cast<char*>(out + offsetof(LengthRangeRow, inchLabel)),
                  row.inchLabel);
        out += sizeof(LengthRangeRow);
    }
}

constexpr PaperGroup kGroupOrder[] = {PaperGroup::kFirst, PaperGroup::kSecond, PaperGroup::kOther};

}  // namespace

QueryView ReadQuery(const uint8_t* devmode, const DeviceValues& device) {
    QueryView view;
    const uint16_t size = ReadAt<uint16_t>(devmode, devmode::kSize);
    if (size < devmode::kMinPublicSize) return view;
    const int16_t printQuality = ReadAt<int16_t>(devmode, devmode::kPrintQuality);
    const int16_t yResolution = ReadAt<int16_t>(devmode, devmode::kYResolution);
    view.xFactor = printQuality == 2 * device.xResolution ? 2 : 1;
    view.yFactor = yResolution == 2 * device.yResolution ? 2 : 1;
    const uint16_t driverExtra = ReadAt<uint16_t>(devmode, devmode::kDriverExtra);
    if (driverExtra >= devmode::kMinDriverExtra) {
        const uint32_t flags =
            ReadAt<uint32_t>(devmode, size_t{size} + devmode::kPrivateFlagOffset);
        view.turned = (flags & devmode::kTurnedFlag) != 0;
    }
    return view;
}

uint32_t Answer(const CapsTables& tables, uint16_t index, void* output, const uint8_t* devmode) {
    const DeviceValues& device = tables.Device();
    if (index == kIndexModel) return device.modelCode * 256u + device.seriesCode;
    if (devmode == nullptr) return index == kIndexVersion ? kVersionAnswer : kNoAnswer;

    const QueryView query = ReadQuery(devmode, device);
    auto* out = static_cast<uint8_t*>(output);
    switch (index) {
        case kIndexVersion:
            return kVersionAnswer;
        case kIndexPaperCaps:
            if (out != nullptr) {
                for (PaperGroup group : kGroupOrder)
                    for (const PaperEntry& entry : tables.Entries(group))
                        out = WritePaperCaps(entry, group, query, out);
            }
            return tables.PaperCount();
        case kIndexPaperClips:
            if (out != nullptr) {
                for (PaperGroup group : kGroupOrder)
                    for (const PaperClipRecord& clip : tables.Clips(group))
                        out = WriteClip(clip, query, out);
            }
            return tables.PaperCount();
        case kIndexLengthRange:
            if (out != nullptr) WriteLengthRange(tables.LengthRange(), query, out);
            return 2;
        case kIndexRangeCount:
            return 2;
        case kIndexFixed276:
            return 1;
        case kIndexFixed280:
            return 3;
        case kIndexFixed274:
        case kIndexFixed275:
            return 0;
        default:
            return kNoAnswer;
    }
}

}  // namespace kvx610f
