// The paper-table library's interface (kvx500i3.dll), as its callers see it.
// All entries use the standard Windows calling convention; success is non-zero.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define LYT_CALL __stdcall
#else
#define LYT_CALL
#endif

extern "C" {

using LytHandle = void*;

using LytOpenFn = int(LYT_CALL*)(LytHandle* handle, const char* fileName);
using LytCloseFn = int(LYT_CALL*)(LytHandle handle);
using LytGetDeviceInfoFn = int(LYT_CALL*)(LytHandle handle, uint32_t level, void* buffer,
                                          uint32_t bufferSize, uint32_t* needed);
using LytGetPaperListFn = int(LYT_CALL*)(LytHandle handle, uint32_t level, void* buffer,
                                         uint32_t bufferSize, uint32_t* needed, uint32_t* count);

// The caller clears the table, puts kLytFunctionTableSize into `size` and passes it
// to LYT_InitializeA, which fills the four entries in this order. The size value is
// the family's fixed version tag (20), not sizeof: on 64-bit builds the entries are
// pointer-sized.
struct LytFunctionTable {
    uint32_t size;
    LytOpenFn Open;
    LytCloseFn Close;
    LytGetDeviceInfoFn GetDeviceInfo;
    LytGetPaperListFn GetPaperList;
};

using LytInitializeFn = int(LYT_CALL*)(LytFunctionTable* table);

}  // extern "C"

inline constexpr uint32_t kLytFunctionTableSize = 20;
inline constexpr uint32_t kDeviceInfoRecordSize = 118;
inline constexpr uint32_t kPaperInfoRecordSize = 252;

inline constexpr uint32_t kLytInfoLevel = 1;

// Record layouts. Packed, little-endian; X is across the print head, Y the feed
// direction.

// Bits of PaperInfoRecord::flags, taken from the same bits of dwPaperAbility01.
inline constexpr uint8_t kLytFlagLengthRange = 0x01;  // contributes to the length range
inline constexpr uint8_t kLytFlagTurned = 0x02;       // stored turned by 90 degrees
inline constexpr uint8_t kLytFlagClip = 0x08;         // clip flag
inline constexpr uint8_t kLytKnownFlags = kLytFlagLengthRange | kLytFlagTurned | kLytFlagClip;

// Item 6 of reserved_12_: how the printer finds the start of a paper.
inline constexpr uint8_t kLytSensingContinuous = 0;
inline constexpr uint8_t kLytSensingGap = 1;
inline constexpr uint8_t kLytSensingMark = 2;

#pragma pack(push, 1)

// The compiled "Version" and "Model" sections. Texts are ANSI, NUL-terminated
// and NUL-padded.
struct DeviceInfoRecord {
    uint8_t bySeriesCode;            // 0
    uint8_t byModelCode;             // 1
    char dmDeviceName[32];           // 2
    uint32_t dwHeadPinNum;           // 34
    uint32_t dwDeviceAbility01;      // 38
    uint32_t dwDeviceAbility02;      // 42
    uint16_t wMinCopies;             // 46
    uint16_t wMaxCopies;             // 48
    uint16_t wMinCutEveryNum;        // 50
    uint16_t wMaxCutEveryNum;        // 52
    int16_t nDefaultPaperSize;       // 54
    char szFormatVersion[16];        // 56, "Version" FormatVersion
    char szModelVersion[16];         // 72, "Version" ModelVersion
    uint8_t reserved88[4];           // 88, zero
    int16_t nDefaultPaperLength;     // 92, 0.1 mm
    int16_t nDefaultPaperLengthRes;  // 94, dots
    uint16_t wResolutionNum;         // 96
    uint16_t wResolutionX;           // 98, first value of wResolutions
    uint16_t wResolutionY;           // 100, second value (the first when there is one)
    char szOutputFileName[16];       // 102, "Version" OutputFileName
};

// One compiled "PaperNN" section. Bytes 0 to 239 are the PaperRecord fields in their
// order and widths; the rest is derived from the section's other keys.
struct PaperInfoRecord {
    char16_t szPaperName_mm[32];            // 0
    char16_t szPaperName_inch[32];          // 64
    char16_t szPaperWidthString_inch[16];   // 128
    char16_t szPaperLengthString_inch[16];  // 160
    int16_t nType;                          // 192
    int16_t nPaperSize;                     // 194
    int16_t nPaperWidth;                    // 196
    int16_t nImageAreaWidth;                // 198
    int16_t nPaperWidthRes;                 // 200
    int16_t nImageAreaWidthRes;             // 202
    int16_t nPaperLength;                   // 204
    int16_t nImageAreaLength;               // 206
    int16_t nPaperLengthRes;                // 208
    int16_t nImageAreaLengthRes;            // 210
    int16_t nPhysicalOffsetX;               // 212
    int16_t nPhysicalOffsetY;               // 214
    uint16_t wPinOffsetLeft;                // 216
    uint16_t wPinOffsetRight;               // 218
    int16_t nMaxFeed;                       // 220
    int16_t nMaxLength;                     // 222
    int16_t nMinLength;                     // 224
    uint16_t wSplit;                        // 226
    int16_t nClipInfoLeft;                  // 228
    int16_t nClipInfoTop;                   // 230
    int16_t nClipInfoRight;                 // 232
    int16_t nClipInfoBottom;                // 234
    int16_t nVirtualOffsetX;                // 236
    int16_t nVirtualOffsetY;                // 238
    uint16_t lblPitchDot;                   // 240
    uint8_t byEnergyRank;                   // 242
    uint8_t bySensing;                      // 243, item 6 of reserved_12_
    uint8_t flags;                          // 244, kLytFlag* bits
    int8_t adjustStep1;                     // 245, item 9 of reserved_12_
    int8_t adjustStep2;                     // 246, item 10 of reserved_12_
    uint8_t reserved247;                    // 247, zero
    uint16_t markLength;                    // 248, dots (items 4 and 5)
    int16_t markOffset;                     // 250, dots (items 2 and 3)
};

#pragma pack(pop)

static_assert(sizeof(DeviceInfoRecord) == kDeviceInfoRecordSize);
static_assert(offsetof(DeviceInfoRecord, byModelCode) == 1);
static_assert(offsetof(DeviceInfoRecord, dmDeviceName) == 2);
static_assert(offsetof(DeviceInfoRecord, dwHeadPinNum) == 34);
static_assert(offsetof(DeviceInfoRecord, wMinCopies) == 46);
static_assert(offsetof(DeviceInfoRecord, nDefaultPaperSize) == 54);
static_assert(offsetof(DeviceInfoRecord, szFormatVersion) == 56);
static_assert(offsetof(DeviceInfoRecord, szModelVersion) == 72);
static_assert(offsetof(DeviceInfoRecord, nDefaultPaperLength) == 92);
static_assert(offsetof(DeviceInfoRecord, nDefaultPaperLengthRes) == 94);
static_assert(offsetof(DeviceInfoRecord, wResolutionNum) == 96);
static_assert(offsetof(DeviceInfoRecord, wResolutionX) == 98);
static_assert(offsetof(DeviceInfoRecord, wResolutionY) == 100);
static_assert(offsetof(DeviceInfoRecord, szOutputFileName) == 102);

static_assert(sizeof(PaperInfoRecord) == kPaperInfoRecordSize);
static_assert(offsetof(PaperInfoRecord, szPaperName_inch) == 64);
static_assert(offsetof(PaperInfoRecord, szPaperWidthString_inch) == 128);
static_assert(offsetof(PaperInfoRecord, szPaperLengthString_inch) == 160);
static_assert(offsetof(PaperInfoRecord, nType) == 192);
static_assert(offsetof(PaperInfoRecord, nPaperSize) == 194);
static_assert(offsetof(PaperInfoRecord, nPaperWidth) == 196);
static_assert(offsetof(PaperInfoRecord, nImageAreaWidth) == 198);
static_assert(offsetof(PaperInfoRecord, nPaperWidthRes) == 200);
static_assert(offsetof(PaperInfoRecord, nImageAreaWidthRes) == 202);
static_assert(offsetof(PaperInfoRecord, nPaperLength) == 204);
static_assert(offsetof(PaperInfoRecord, nImageAreaLength) == 206);
static_assert(offsetof(PaperInfoRecord, nPaperLengthRes) == 208);
static_assert(offsetof(PaperInfoRecord, nImageAreaLengthRes) == 210);
static_assert(offsetof(PaperInfoRecord, nPhysicalOffsetX) == 212);
static_assert(offsetof(PaperInfoRecord, nPhysicalOffsetY) == 214);
static_assert(offsetof(PaperInfoRecord, wPinOffsetLeft) == 216);
static_assert(offsetof(PaperInfoRecord, wPinOffsetRight) == 218);
static_assert(offsetof(PaperInfoRecord, nMaxFeed) == 220);
static_assert(offsetof(PaperInfoRecord, nMaxLength) == 222);
static_assert(offsetof(PaperInfoRecord, nMinLength) == 224);
static_assert(offsetof(PaperInfoRecord, wSplit) == 226);
static_assert(offsetof(PaperInfoRecord, nClipInfoLeft) == 228);
static_assert(offsetof(PaperInfoRecord, nClipInfoTop) == 230);
static_assert(offsetof(PaperInfoRecord, nClipInfoRight) == 232);
static_assert(offsetof(PaperInfoRecord, nClipInfoBottom) == 234);
static_assert(offsetof(PaperInfoRecord, nVirtualOffsetX) == 236);
static_assert(offsetof(PaperInfoRecord, nVirtualOffsetY) == 238);
static_assert(offsetof(PaperInfoRecord, lblPitchDot) == 240);
static_assert(offsetof(PaperInfoRecord, byEnergyRank) == 242);
static_assert(offsetof(PaperInfoRecord, bySensing) == 243);
static_assert(offsetof(PaperInfoRecord, flags) == 244);
static_assert(offsetof(PaperInfoRecord, adjustStep1) == 245);
static_assert(offsetof(PaperInfoRecord, adjustStep2) == 246);
static_assert(offsetof(PaperInfoRecord, markLength) == 248);
static_assert(offsetof(PaperInfoRecord, markOffset) == 250);
