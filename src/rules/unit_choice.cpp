#include "rules/unit_choice.h"

namespace rules {

bool ChooseInchUnits(std::optional<std::string_view> unitArgument, win::Locale& locale) {
    if (unitArgument == "/i" || unitArgument == "i") return true;
    if (unitArgument == "/m" || unitArgument == "m") return false;
    return locale.MeasurementSystem() != "0";
}

}  // namespace rules
