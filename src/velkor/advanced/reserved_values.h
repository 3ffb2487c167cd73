// The twelve 16-bit values of a record's reserved_12_ text, as the advanced settings
// read and rewrite them. Items 9 and 10 are the two adjustment steps.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace advanced {

inline constexpr size_t kReservedCount = 12;
inline constexpr size_t kAdjustFirstItem = 9;
inline constexpr size_t kAdjustSecondItem = 10;

using ReservedValues = std::array<int16_t, kReservedCount>;

// Items separated by ",", each read as a decimal integer as the paper-table reader
// reads it (an empty item is 0) and kept to 16 bits. Missing items are 0; items after
// the twelfth are dropped, since the record holds twelve and they are all rewritten.
ReservedValues ParseReserved(std::string_view text);

// "%d,%d,...,%d", all twelve.
std::string FormatReserved(const ReservedValues& values);

}  // namespace advanced
