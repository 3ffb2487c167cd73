// Building a paper record from the values of the editor's fields, every derived
// value included (dots, printable area, pin offsets, reserved_12_). The editor reads
// its field texts into these values; velkorctl gives them from its options.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"
#include "rules/paper_fields.h"

namespace rules {

// What a roll carries in place of a length: its longest feed, its longest and its
// shortest length, in tenths of a millimetre.
inline constexpr int16_t kRollMaxFeed = 1500;
inline constexpr int16_t kRollMaxLength = 10000;
inline constexpr int16_t kRollMinLength = 60;
// The bits of dwPaperAbility01 that tell how the printer finds a paper: a roll sets
// the first, labels clear all four.
inline constexpr uint32_t kRollAbilityBit = 0x1;
inline constexpr uint32_t kSensingAbilityBits = 0xF;

// Writes the values into `record`. Gives markMode: true when the kind is 76, which
// the record then carries as nType 75 with item 6 of reserved_12_ = 2.
bool BuildRecord(const PaperValues& values, const UnitSettings& units,
                 papertable::PaperRecord& record);

// szSizeMM from an ANSI name: whole characters only, at most 15 bytes.
std::string SizeNameBytes(std::string_view ansiName, bool (*isLeadByte)(char));

}  // namespace rules
