// The two virtual offsets of the advanced settings: stored in printer dots, shown and
// typed in millimetres (one decimal) or inches (two), held within -150 mm to 150 mm.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/units.h"
#include "velkor/editor/number_field.h"

namespace advanced {

// The spin steps' limit, in millimetres whatever the unit.
inline constexpr double kOffsetLimitMm = 150.0;
// Typing keeps the magnitude within this.
inline constexpr double kOffsetTypingLimit = 999.9;

// The confirmation limit in thousandths of the display unit: 150000 for millimetres,
// 5910 for inches (150 mm is 5.905 in, shown rounded as 5.91).
int64_t OffsetLimit(bool inch);

// The text of an offset field from a value in dots, localized.
std::string OffsetText(int dots, int resolution, bool inch, char separator);
// "[ -150.0 - 150.0 ]" or "[ -5.91 - 5.91 ]", localized.
std::string OffsetRangeText(bool inch, char separator);

// The live typing rule of an offset field.
editor::FilterResult FilterOffset(std::string_view oldText, std::string_view newText,
                                  win::TextSelection selection, bool inch, char separator);

// One spin step; `up` is the direction.
std::string StepOffset(std::string_view text, bool up, bool inch, char separator);

// Dots of a value in thousandths of the display unit.
int64_t OffsetDots(int64_t value, int resolution, bool inch);

}  // namespace advanced
