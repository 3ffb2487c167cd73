// Byte layouts kvx610f reads from the paper-table library and writes for its caller.
// Every record is packed; all values are little-endian.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "records are copied as they lie in memory");

namespace kvx610f {

template <class T>
T ReadAt(const uint8_t* base, size_t offset) {
    T value;
    std::memcpy(&value, base + offset, sizeof value);
    return value;
}

// DeviceInfoRecord fields (118 bytes, delivered by the paper-table library).
namespace device_info {
inline constexpr size_t kSize = 118;
inline constexpr size_t kSeriesCode = 0;
inline constexpr size_t kModelCode = 1;
inline constexpr size_t kDefaultLength = 92;
inline constexpr size_t kDefaultLengthRes = 94;
inline constexpr size_t kXResolution = 98;
inline constexpr size_t kYResolution = 100;
}  // namespace device_info

// PaperInfoRecord fields (252 bytes each). X is across the print head, Y the feed.
namespace paper_info {
inline constexpr size_t kSize = 252;
inline constexpr size_t kNameUnits = 32;
inline constexpr size_t kName1 = 0;
inline constexpr size_t kName2 = 64;
inline constexpr size_t kType = 192;
inline constexpr size_t kPaperSize = 194;
inline constexpr size_t kWidth = 196;
inline constexpr size_t kImageWidth = 198;
inline constexpr size_t kWidthRes = 200;
inline constexpr size_t kImageWidthRes = 202;
inline constexpr size_t kLength = 204;
inline constexpr size_t kImageLength = 206;
inline constexpr size_t kLengthRes = 208;
inline constexpr size_t kImageLengthRes = 210;
inline constexpr size_t kOffsetX = 212;
inline constexpr size_t kOffsetY = 214;
inline constexpr size_t kPinOffsetRight = 218;
inline constexpr size_t kMaxFeed = 220;
inline constexpr size_t kSplit = 226;
inline constexpr size_t kClipLeft = 228;
inline constexpr size_t kClipTop = 230;
inline constexpr size_t kClipRight = 232;
inline constexpr size_t kClipBottom = 234;
inline constexpr size_t kVirtualOffsetX = 236;
inline constexpr size_t kFlags = 244;

inline constexpr uint8_t kFlagLengthRange = 0x01;
inline constexpr uint8_t kFlagStoredTurned = 0x02;
inline constexpr uint8_t kFlagClip = 0x08;
}  // namespace paper_info

// The parts of DEVMODEA that are read. The driver-private part starts dmSize bytes
// after the structure's start; the flag word lies at bytes 22 to 25 of it.
namespace devmode {
inline constexpr size_t kSize = 36;
inline constexpr size_t kDriverExtra = 38;
inline constexpr size_t kPrintQuality = 58;
inline constexpr size_t kYResolution = 64;
// Smallest dmSize that still covers every public field read here.
inline constexpr uint16_t kMinPublicSize = kYResolution + 2;
inline constexpr uint16_t kPrivateFlagOffset = 22;
inline constexpr uint16_t kMinDriverExtra = kPrivateFlagOffset + 4;
inline constexpr uint32_t kTurnedFlag = 0x00100000;
}  // namespace devmode

inline constexpr size_t kAnsiNameSize = 50;

#pragma pack(push, 1)

// Internal entry of one paper, built at load. Entries are 137 bytes wide; the last
// four bytes are not used.
struct PaperEntry {
    int16_t paperId;
    int16_t xSizeDots;
    int16_t ySizeDots;
    int16_t xSizeTenths;
    int16_t ySizeTenths;
    int16_t xOffsetDots;
    int16_t yOffsetDots;
    int16_t xPrintDots;
    int16_t yPrintDots;
    int16_t xPrintTenths;
    int16_t yPrintTenths;
    int16_t zero;
    char name1[kAnsiNameSize];
    char name2[kAnsiNameSize];
    uint32_t kindFlags;
    int16_t linkId;
    uint8_t linkCount;
    uint16_t pinOffsetRight;
    uint8_t unused[4];
};
static_assert(sizeof(PaperEntry) == 137);
static_assert(offsetof(PaperEntry, name1) == 24);
static_assert(offsetof(PaperEntry, name2) == 74);
static_assert(offsetof(PaperEntry, kindFlags) == 124);
static_assert(offsetof(PaperEntry, linkId) == 128);
static_assert(offsetof(PaperEntry, linkCount) == 130);
static_assert(offsetof(PaperEntry, pinOffsetRight) == 131);

// Clip entry and clip answer share one layout: five signed 32-bit values.
struct PaperClipRecord {
    int32_t flags;
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
static_assert(sizeof(PaperClipRecord) == 20);
static_assert(offsetof(PaperClipRecord, left) == 4);
static_assert(offsetof(PaperClipRecord, top) == 8);
static_assert(offsetof(PaperClipRecord, right) == 12);
static_assert(offsetof(PaperClipRecord, bottom) == 16);

inline constexpr int32_t kClipFlagged = 0x200;
inline constexpr int32_t kClipFlaggedWithArea = 0x400;
inline constexpr int32_t kClipHasArea = 0x1000;

// One paper of the index-257 answer. Bytes from kPaperCapsWritten on are never written.
struct PaperCapsRecord {
    uint16_t paperId;
    uint16_t ySizeDots;
    uint16_t ySizeTenths;
    uint16_t yOffsetDots;
    uint16_t yPrintDots;
    uint16_t zero;
    char name1[kAnsiNameSize];
    char name2[kAnsiNameSize];
    uint16_t xSizeDots;
    uint16_t xSizeTenths;
    uint16_t xOffsetDots;
    uint16_t xPrintDots;
    uint16_t xPrintTenths;
    uint16_t yPrintTenths;
    uint32_t kindFlags;
    uint16_t linkId;
    uint8_t linkCount;
    uint8_t notWritten[7];
};
static_assert(sizeof(PaperCapsRecord) == 138);
static_assert(offsetof(PaperCapsRecord, ySizeDots) == 2);
static_assert(offsetof(PaperCapsRecord, ySizeTenths) == 4);
static_assert(offsetof(PaperCapsRecord, yOffsetDots) == 6);
static_assert(offsetof(PaperCapsRecord, yPrintDots) == 8);
static_assert(offsetof(PaperCapsRecord, zero) == 10);
static_assert(offsetof(PaperCapsRecord, name1) == 12);
static_assert(offsetof(PaperCapsRecord, name2) == 62);
static_assert(offsetof(PaperCapsRecord, xSizeDots) == 112);
static_assert(offsetof(PaperCapsRecord, xSizeTenths) == 114);
static_assert(offsetof(PaperCapsRecord, xOffsetDots) == 116);
static_assert(offsetof(PaperCapsRecord, xPrintDots) == 118);
static_assert(offsetof(PaperCapsRecord, xPrintTenths) == 120);
static_assert(offsetof(PaperCapsRecord, yPrintTenths) == 122);
static_assert(offsetof(PaperCapsRecord, kindFlags) == 124);
static_assert(offsetof(PaperCapsRecord, linkId) == 128);
static_assert(offsetof(PaperCapsRecord, linkCount) == 130);
inline constexpr size_t kPaperCapsWritten = offsetof(PaperCapsRecord, notWritten);

struct LengthRangeRow {
    uint8_t millimetres;
    int16_t dots;
    char metricLabel[kAnsiNameSize];
    char inchLabel[kAnsiNameSize];
};
static_assert(sizeof(LengthRangeRow) == 103);
static_assert(offsetof(LengthRangeRow, dots) == 1);
static_assert(offsetof(LengthRangeRow, metricLabel) == 3);
static_assert(offsetof(LengthRangeRow, inchLabel) == 53);

#pragma pack(pop)

}  // namespace kvx610f
