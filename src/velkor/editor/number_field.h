// The editor's number fields as the user types and spins: the typing rule of
// rules/units.h applied to each keystroke, and the spin steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/units.h"
#include "win/dialog_window.h"

namespace editor {

struct FilterInput {
    std::string oldText;  // the field's text before the change
    std::string newText;  // the field's text now
    win::TextSelection selection;
    bool inch = false;
    bool isSigned = false;  // the mark offset field accepts a leading "-"
    char separator = '.';
    // A value above this, or for the signed field below its negative, is taken back.
    double limit = rules::kFieldLimit;
};

struct FilterResult {
    std::string text;  // what the field keeps
    win::TextSelection selection;
    // The field's dimension label, when it is to be refreshed.
    std::optional<std::string> label;
};

// The live typing rule of a number field. The field's text and selection are set
// from the result in every case.
FilterResult NumberFieldFilter(const FilterInput& input);

// One spin step (0.1 mm or 0.01 in) up or down, held at the limit, which is given in
// millimetres whatever the unit.
std::string StepUp(std::string_view text, double upperMm, bool inch, char separator);
std::string StepDown(std::string_view text, double lowerMm, bool inch, char separator);

}  // namespace editor
