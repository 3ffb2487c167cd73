#include "velkor/editor/number_field.h"

#include <algorithm>
#include <cstdio>

namespace editor {

FilterResult NumberFieldFilter(const FilterInput& in) {
    const win::TextSelection moved{std::max(in.selection.start - 1, 0),
                                   std::max(in.selection.end - 1, 0)};
    // A text too long for the field is taken back without refreshing the label.
    if (in.newText.size() > rules::kFieldChars) return {in.oldText, moved, std::nullopt};

    FilterResult result{in.newText, in.selection, std::nullopt};
    if (!rules::FieldCharactersFit(in.newText, in.inch, in.isSigned, in.separator))
        result = {in.oldText, moved, std::nullopt};
    if (!rules::FieldValueFits(result.text, in.isSigned, in.limit)) result.text = in.oldText;
    result.label = rules::DimensionLabelFromText(result.text, in.inch);
    return result;
}

namespace {

std::string Step(std::string_view text, double limitMm, bool inch, char separator, bool up) {
    const double limit = inch ? limitMm / 25.4 : limitMm;
    std::string canonical(text);
    if (separator != '.') rules::CanonicalizeDecimal(canonical, separator);
    const float step = inch ? 0.01f : 0.1f;
    const float stepped =
        static_cast<float>(rules::ReadPlainDecimal(canonical)) + (up ? step : -step);
    const double held = up ? std::min<double>(stepped, limit) : std::max<double>(stepped, limit);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, inch ? "%0.2f" : "%0.1f", held);
    std::string result = buffer;
    if (separator != '.') rules::LocalizeDecimal(result, separator);
    return result;
}

}  // namespace

std::string StepUp(std::string_view text, double upperMm, bool inch, char separator) {
    return Step(text, upperMm, inch, separator, true);
}

std::string StepDown(std::string_view text, double lowerMm, bool inch, char separator) {
    return Step(text, lowerMm, inch, separator, false);
}

}  // namespace editor
