// The keys of a paper-table source file, each listed once: the reader and the
// writer both walk these tables, so a key's name, order, stored width, format and
// reading rules cannot differ between them.
//
// A paper key's stored width is the type of its PaperRecord field. The prefix of
// a key's name mostly tells that width ("n" signed 16-bit, "w" unsigned 16-bit,
// "by" unsigned 8-bit, "dw" unsigned 32-bit, "sz" a text); a key whose field
// differs from its prefix says so with `widthUnlikePrefix`. source_keys.cpp checks
// the tables when the library is built.
//
// One rule holds for every value written, so it is not in the table: a value with
// white space at either end, or enclosed in a pair of equal quotes, goes in double
// quotes (ProfileWriter::EncodeValue), so that it reads back as written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "papertable/paper_record.h"

namespace papertable {

// Text keys are read with this one-character default; a read that gives no
// characters or starts with it counts as a missing key.
inline constexpr char kMissingMarker = '\x01';
inline constexpr size_t kTextBufferBytes = 260;

// The field a paper key is stored in. Alternatives in the order of KeyKind.
using PaperField =
    std::variant<int16_t PaperRecord::*, uint16_t PaperRecord::*, uint8_t PaperRecord::*,
                 uint32_t PaperRecord::*, std::string PaperRecord::*,
                 WideText<kNameUnits> PaperRecord::*, WideText<kInchStringUnits> PaperRecord::*>;

enum class KeyKind {
    Signed16,
    Unsigned16,
    Unsigned8,
    Unsigned32,
    Text,      // ANSI text as held
    WideName,  // UTF-16 in the record, ANSI in the file (32 code units)
    WideInch,  // the same, 16 code units
};

// How an integer is written; every integer is read as decimal or "0x" hexadecimal.
enum class KeyFormat {
    Decimal,  // "%d", a minus sign only for signed fields
    Hex,      // "0x%x" of the value as 32 bits
    Hex8,     // "0x%08x"
};

// When a text or name counts as missing (integers never do: absent reads 0).
enum class Presence {
    Required,        // absent, empty or starting with kMissingMarker: the paper is not read
    EmptyAllowed,    // only absent (or starting with kMissingMarker) fails
    BlankIfMissing,  // missing reads as one blank and reading goes on
};

// A key whose value is tied to a field that is not stored.
enum class KeyRule {
    None,
    MarkWrittenAsLabel,  // kind 76 becomes 75 in the record before writing
    EditLockedBit,       // bit 10 sets editLocked on reading, follows it before writing
    ReservedItems,       // after reading: markOffset, markLength, kind 76 (ApplyReservedItems)
};

struct PaperKey {
    std::string_view name;
    PaperField field;
    KeyFormat format = KeyFormat::Decimal;
    Presence presence = Presence::Required;
    size_t readBytes = kTextBufferBytes;  // texts and names: the read buffer, terminator included
    KeyRule rule = KeyRule::None;
    std::string_view readBefore{};  // read just before this key instead of at its place
    bool widthUnlikePrefix = false;
};

constexpr KeyKind KindOf(const PaperKey& key) {
    return static_cast<KeyKind>(key.field.index());
}

// A "PaperNN" section, in writing order.
inline constexpr PaperKey kPaperKeys[] = {
    {.name = "szPaperName_mm", .field = &PaperRecord::szPaperName_mm},
    {.name = "szPaperName_inch", .field = &PaperRecord::szPaperName_inch},
    {.name = "szPaperWidthString_inch",
     .field = &PaperRecord::szPaperWidthString_inch,
     .presence = Presence::EmptyAllowed},
    {.name = "szPaperLengthString_inch",
     .field = &PaperRecord::szPaperLengthString_inch,
     .presence = Presence::EmptyAllowed},
    {.name = "nType",
     .field = &PaperRecord::nType,
     .format = KeyFormat::Hex,
     .rule = KeyRule::MarkWrittenAsLabel},
    {.name = "nPaperSize", .field = &PaperRecord::nPaperSize},
    {.name = "nPaperWidth", .field = &PaperRecord::nPaperWidth},
    {.name = "nImageAreaWidth", .field = &PaperRecord::nImageAreaWidth},
    {.name = "nPaperWidthRes", .field = &PaperRecord::nPaperWidthRes},
    {.name = "nImageAreaWidthRes", .field = &PaperRecord::nImageAreaWidthRes},
    {.name = "nPaperLength", .field = &PaperRecord::nPaperLength},
    {.name = "nImageAreaLength", .field = &PaperRecord::nImageAreaLength},
    {.name = "nPaperLengthRes", .field = &PaperRecord::nPaperLengthRes},
    {.name = "nImageAreaLengthRes", .field = &PaperRecord::nImageAreaLengthRes},
    {.name = "nPhysicalOffsetX", .field = &PaperRecord::nPhysicalOffsetX},
    {.name = "nPhysicalOffsetY", .field = &PaperRecord::nPhysicalOffsetY},
    {.name = "wPinOffsetLeft", .field = &PaperRecord::wPinOffsetLeft},
    {.name = "wPinOffsetRight", .field = &PaperRecord::wPinOffsetRight},
    {.name = "nMaxFeed", .field = &PaperRecord::nMaxFeed},
    {.name = "nMaxLength", .field = &PaperRecord::nMaxLength},
    {.name = "nMinLength", .field = &PaperRecord::nMinLength},
    {.name = "wSplit", .field = &PaperRecord::wSplit},
    // Left, right, top, bottom: not the order of the record's fields.
    {.name = "nClipInfoLeft", .field = &PaperRecord::nClipInfoLeft},
    {.name = "nClipInfoRight", .field = &PaperRecord::nClipInfoRight},
    {.name = "nClipInfoTop", .field = &PaperRecord::nClipInfoTop},
    {.name = "nClipInfoBottom", .field = &PaperRecord::nClipInfoBottom},
    {.name = "nVirtualOffsetX", .field = &PaperRecord::nVirtualOffsetX},
    {.name = "nVirtualOffsetY", .field = &PaperRecord::nVirtualOffsetY},
    // Read straight into its field.
    {.name = "nCompatiblePaperSizes",
     .field = &PaperRecord::nCompatiblePaperSizes,
     .presence = Presence::EmptyAllowed,
     .readBytes = kCompatibleSizesBytes,
     .widthUnlikePrefix = true},
    {.name = "dwPaperAbility01",
     .field = &PaperRecord::dwPaperAbility01,
     .format = KeyFormat::Hex8,
     .rule = KeyRule::EditLockedBit},
    {.name = "dwPaperAbility02",
     .field = &PaperRecord::dwPaperAbility02,
     .format = KeyFormat::Hex8},
    {.name = "byReserved001",
     .field = &PaperRecord::byReserved001,
     .readBefore = "nCompatiblePaperSizes",
     .widthUnlikePrefix = true},
    {.name = "byEnergyRank", .field = &PaperRecord::byEnergyRank},
    {.name = "lblPitchDot", .field = &PaperRecord::lblPitchDot},
    {.name = "markNoChkValu", .field = &PaperRecord::markNoChkValu},
    {.name = "nSensorID", .field = &PaperRecord::nSensorID, .widthUnlikePrefix = true},
    {.name = "byRollWidMm", .field = &PaperRecord::byRollWidMm, .widthUnlikePrefix = true},
    {.name = "byHeadDivide", .field = &PaperRecord::byHeadDivide, .widthUnlikePrefix = true},
    {.name = "nDieStartPlus", .field = &PaperRecord::nDieStartPlus, .widthUnlikePrefix = true},
    {.name = "nDieStartRevPlus",
     .field = &PaperRecord::nDieStartRevPlus,
     .widthUnlikePrefix = true},
    {.name = "wDieStartFwdPlus",
     .field = &PaperRecord::wDieStartFwdPlus,
     .widthUnlikePrefix = true},
    {.name = "nAfterFeedPlus", .field = &PaperRecord::nAfterFeedPlus, .widthUnlikePrefix = true},
    {.name = "wPafMediaID", .field = &PaperRecord::wPafMediaID, .widthUnlikePrefix = true},
    {.name = "PresetBlkPos1_1", .field = &PaperRecord::PresetBlkPos1_1},
    {.name = "PresetBlkPos2_1", .field = &PaperRecord::PresetBlkPos2_1},
    {.name = "PresetBlkPos2_2", .field = &PaperRecord::PresetBlkPos2_2},
    {.name = "PresetBlkPos3_1", .field = &PaperRecord::PresetBlkPos3_1},
    {.name = "PresetBlkPos3_2", .field = &PaperRecord::PresetBlkPos3_2},
    {.name = "PresetBlkPos3_3", .field = &PaperRecord::PresetBlkPos3_3},
    {.name = "szSizeMM", .field = &PaperRecord::szSizeMM},
    {.name = "szSizeIN", .field = &PaperRecord::szSizeIN, .presence = Presence::BlankIfMissing},
    {.name = "MediaAtrInfo", .field = &PaperRecord::MediaAtrInfo},
    {.name = "reserved_12_", .field = &PaperRecord::reserved_12_, .rule = KeyRule::ReservedItems},
};

// 57 record fields: these keys and the four kept only in memory (builtIn,
// editLocked, markLength, markOffset).
inline constexpr size_t kPaperKeyCount = std::size(kPaperKeys);
static_assert(kPaperKeyCount == 53);

// Indexes into kPaperKeys in reading order: the writing order, with each key that
// has `readBefore` moved to just before the key it names.
inline constexpr std::array<size_t, kPaperKeyCount> kPaperKeyReadingOrder = [] {
    std::array<size_t, kPaperKeyCount> order{};
    size_t next = 0;
    for (size_t i = 0; i < kPaperKeyCount; ++i) {
        if (!kPaperKeys[i].readBefore.empty()) continue;
        for (size_t j = 0; j < kPaperKeyCount; ++j) {
            if (kPaperKeys[j].readBefore == kPaperKeys[i].name) order.at(next++) = j;
        }
        order.at(next++) = i;
    }
    return next == kPaperKeyCount ? order : throw "a readBefore names no key that is read";
}();

// The "Version" and "Model" keys, in reading and writing order; all texts.
struct DeviceKey {
    std::string_view name;
    std::string DeviceRecord::*field;
};

inline constexpr DeviceKey kVersionKeys[] = {
    {"FormatVersion", &DeviceRecord::FormatVersion},
    {"ModelVersion", &DeviceRecord::ModelVersion},
    {"OutputFileName", &DeviceRecord::OutputFileName},
};

inline constexpr DeviceKey kModelKeys[] = {
    {"bySeriesCode", &DeviceRecord::bySeriesCode},
    {"byModelCode", &DeviceRecord::byModelCode},
    {"dmDeviceName", &DeviceRecord::dmDeviceName},
    {"dwHeadPinNum", &DeviceRecord::dwHeadPinNum},
    {"dwDeviceAbility01", &DeviceRecord::dwDeviceAbility01},
    {"dwDeviceAbility02", &DeviceRecord::dwDeviceAbility02},
    {"wMinCopies", &DeviceRecord::wMinCopies},
    {"wMaxCopies", &DeviceRecord::wMaxCopies},
    {"wMinCutEveryNum", &DeviceRecord::wMinCutEveryNum},
    {"wMaxCutEveryNum", &DeviceRecord::wMaxCutEveryNum},
    {"nDefaultPaperSize", &DeviceRecord::nDefaultPaperSize},
    {"nDefaultPaperLength", &DeviceRecord::nDefaultPaperLength},
    {"nDefaultPaperLengthRes", &DeviceRecord::nDefaultPaperLengthRes},
    {"wResolutionNum", &DeviceRecord::wResolutionNum},
    {"wResolutions", &DeviceRecord::wResolutions},
};
static_assert(std::size(kVersionKeys) == 3 && std::size(kModelKeys) == 15);

}  // namespace papertable
