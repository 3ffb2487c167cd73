// In-memory form of a paper-table source file: one PaperRecord per "PaperNN"
// section, the DeviceRecord for the "Version" and "Model" sections, and the
// PaperTable the main window owns. Field names are the source file's key names.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace papertable {

// Kinds of paper (nType).
inline constexpr int16_t kKindRoll = 74;   // no fixed length
inline constexpr int16_t kKindLabel = 75;  // fixed length, die-cut with a gap
inline constexpr int16_t kKindMark = 76;   // fixed length found by a mark; only in memory

inline constexpr uint32_t kEditLockedBit = 0x400;  // bit 10 of dwPaperAbility01

inline constexpr int kMaxPapers = 100;
inline constexpr int kPaperSlots = kMaxPapers + 1;  // slot 100 only detects a 101st paper

inline constexpr size_t kNameUnits = 32;              // UTF-16 code units with the terminator
inline constexpr size_t kInchStringUnits = 16;        // UTF-16 code units with the terminator
inline constexpr size_t kCompatibleSizesBytes = 255;  // with the terminator
inline constexpr size_t kModelSectionBytes = 13000;

// A fixed-capacity UTF-16 text, always terminated.
template <size_t N>
using WideText = std::array<char16_t, N>;

struct PaperRecord {
    WideText<kNameUnits> szPaperName_mm{};
    WideText<kNameUnits> szPaperName_inch{};
    WideText<kInchStringUnits> szPaperWidthString_inch{};
    WideText<kInchStringUnits> szPaperLengthString_inch{};
    int16_t nType = 0;
    int16_t nPaperSize = 0;
    int16_t nPaperWidth = 0;
    int16_t nImageAreaWidth = 0;
    int16_t nPaperWidthRes = 0;
    int16_t nImageAreaWidthRes = 0;
    int16_t nPaperLength = 0;
    int16_t nImageAreaLength = 0;
    int16_t nPaperLengthRes = 0;
    int16_t nImageAreaLengthRes = 0;
    int16_t nPhysicalOffsetX = 0;
    int16_t nPhysicalOffsetY = 0;
    uint16_t wPinOffsetLeft = 0;
    uint16_t wPinOffsetRight = 0;
    int16_t nMaxFeed = 0;
    int16_t nMaxLength = 0;
    int16_t nMinLength = 0;
    uint16_t wSplit = 0;
    int16_t nClipInfoLeft = 0;
    int16_t nClipInfoTop = 0;
    int16_t nClipInfoRight = 0;
    int16_t nClipInfoBottom = 0;
    int16_t nVirtualOffsetX = 0;
    int16_t nVirtualOffsetY = 0;
    std::string byReserved001;
    bool builtIn = false;               // read from the built-in source; never stored in a file
    bool editLocked = false;            // mirror of kEditLockedBit in dwPaperAbility01
    uint16_t markLength = 0;            // items 4 and 5 of reserved_12_, dots
    int16_t markOffset = 0;             // items 2 and 3 of reserved_12_, dots
    std::string nCompatiblePaperSizes;  // at most kCompatibleSizesBytes - 1 bytes
    uint32_t dwPaperAbility01 = 0;
    uint32_t dwPaperAbility02 = 0;
    uint8_t byEnergyRank = 0;
    uint16_t lblPitchDot = 0;
    uint16_t markNoChkValu = 0;
    std::string nSensorID;
    std::string byRollWidMm;
    std::string byHeadDivide;
    std::string nDieStartPlus;
    std::string nDieStartRevPlus;
    std::string wDieStartFwdPlus;
    std::string nAfterFeedPlus;
    std::string wPafMediaID;
    std::string PresetBlkPos1_1;
    std::string PresetBlkPos2_1;
    std::string PresetBlkPos2_2;
    std::string PresetBlkPos3_1;
    std::string PresetBlkPos3_2;
    std::string PresetBlkPos3_3;
    std::string szSizeMM;
    std::string szSizeIN;
    std::string MediaAtrInfo;
    std::string reserved_12_;

    bool operator==(const PaperRecord&) const = default;
};

struct DeviceRecord {
    // "Version"
    std::string FormatVersion;
    std::string ModelVersion;
    std::string OutputFileName;
    // "Model"
    std::string bySeriesCode;
    std::string byModelCode;
    std::string dmDeviceName;
    std::string dwHeadPinNum;
    std::string dwDeviceAbility01;
    std::string dwDeviceAbility02;
    std::string wMinCopies;
    std::string wMaxCopies;
    std::string wMinCutEveryNum;
    std::string wMaxCutEveryNum;
    std::string nDefaultPaperSize;
    std::string nDefaultPaperLength;
    std::string nDefaultPaperLengthRes;
    std::string wResolutionNum;
    std::string wResolutions;
    // The whole "Model" section as the whole-section read returns it: entries
    // "key=value" each ended by a zero byte, the whole ended by a second zero byte,
    // at most kModelSectionBytes bytes. Keeps unknown keys in their order.
    std::string modelSectionText;

    bool operator==(const DeviceRecord&) const = default;
};

struct PaperTable {
    DeviceRecord device;
    std::array<PaperRecord, kPaperSlots> papers{};
    int paperCount = 0;
    bool tableFull = false;
    bool operator==(const PaperTable&) const = default;
};

}  // namespace papertable
