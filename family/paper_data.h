// The printer's paper data, made by the converter from a compiled table: a 16-byte
// header, one 32-byte media record per paper, and a CRC-32 of everything before it.
// Layout byte by byte in docs/formats.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lyt_api.h"

namespace family {

inline constexpr char kPaperDataMagic[4] = {'K', 'V', 'M', 'D'};
inline constexpr uint16_t kPaperDataVersion = 1;
inline constexpr uint8_t kMaxEnergyRank = 10;

#pragma pack(push, 1)
struct PaperDataHeader {
    char magic[4];         // 0, "KVMD"
    uint16_t version;      // 4, kPaperDataVersion
    uint16_t recordSize;   // 6, 32
    uint8_t seriesCode;    // 8
    uint8_t modelCode;     // 9
    uint16_t mediaCount;   // 10
    uint16_t resolutionX;  // 12, dots per inch
    uint16_t resolutionY;  // 14
};

// Sizes and offsets are the table's signed 16-bit values as they are.
struct MediaRecord {
    int16_t paperId;              // 0, nPaperSize
    uint8_t kind;                 // 2, kLytSensing*: continuous, gap or mark
    uint8_t energyRank;           // 3, 0 to kMaxEnergyRank
    int16_t widthDots;            // 4
    int16_t lengthDots;           // 6, 0 for continuous paper
    int16_t printableWidthDots;   // 8
    int16_t printableLengthDots;  // 10, 0 for continuous paper
    int16_t offsetXDots;          // 12
    int16_t offsetYDots;          // 14
    uint16_t gapOrMarkDots;       // 16, gap between labels or mark length
    int16_t markOffsetDots;       // 18, mark papers only
    int16_t virtualOffsetXDots;   // 20
    int16_t virtualOffsetYDots;   // 22
    int8_t adjustStep1;           // 24
    int8_t adjustStep2;           // 25
    int16_t width;                // 26, 0.1 mm
    int16_t length;               // 28, 0.1 mm, 0 for continuous paper
    uint16_t reserved30;          // 30, zero
};
#pragma pack(pop)

static_assert(sizeof(PaperDataHeader) == 16);
static_assert(offsetof(PaperDataHeader, seriesCode) == 8);
static_assert(offsetof(PaperDataHeader, mediaCount) == 10);
static_assert(offsetof(PaperDataHeader, resolutionY) == 14);
static_assert(sizeof(MediaRecord) == 32);
static_assert(offsetof(MediaRecord, widthDots) == 4);
static_assert(offsetof(MediaRecord, gapOrMarkDots) == 16);
static_assert(offsetof(MediaRecord, virtualOffsetXDots) == 20);
static_assert(offsetof(MediaRecord, adjustStep1) == 24);
static_assert(offsetof(MediaRecord, width) == 26);
static_assert(offsetof(MediaRecord, reserved30) == 30);

// One media record; nullopt with a reason for a paper no table the compiler makes
// holds: a width of 0 (ZeroWidthKey) or an unknown kind.
std::optional<MediaRecord> BuildMediaRecord(const PaperInfoRecord& paper, std::string* error);

// The whole paper data, or nullopt with a reason naming the first refused paper.
std::optional<std::string> BuildPaperData(const DeviceInfoRecord& device,
                                          const std::vector<PaperInfoRecord>& papers,
                                          std::string* error);

}  // namespace family
