// The unit a front end shows its numbers in.
#pragma once

#include <optional>
#include <string_view>

#include "win/services.h"

namespace rules {

// "/i" or "i" chooses inches, "/m" or "m" millimetres (exact case); otherwise
// inches unless the locale reports the metric system ("0").
bool ChooseInchUnits(std::optional<std::string_view> unitArgument, win::Locale& locale);

}  // namespace rules
