#include "velkor/advanced/offsets.h"

#include <cstdio>

namespace advanced {

int64_t OffsetLimit(bool inch) {
    const int64_t millimetres = static_cast<int64_t>(kOffsetLimitMm) * 1000;
    if (!inch) return millimetres;
    return rules::RoundScaled(millimetres * 10 / 254, 1) * 10;
}

std::string OffsetText(int dots, int resolution, bool inch, char separator) {
    return rules::FieldText(rules::SignedDotsToDisplay(dots, resolution, inch), inch, separator);
}

std::string OffsetRangeText(bool inch, char separator) {
    char buffer[64];
    if (inch) {
        const float upper =
            rules::RoundDisplaySigned(static_cast<float>(kOffsetLimitMm * 10 / 254), 2);
        std::snprintf(buffer, sizeof buffer, "[ %.2f - %.2f ]", static_cast<double>(-upper),
                      static_cast<double>(upper));
    } else {
        std::snprintf(buffer, sizeof buffer, "[ %0.1f - %0.1f ]", -kOffsetLimitMm, kOffsetLimitMm);
    }
    std::string text = buffer;
    rules::LocalizeDecimal(text, separator);
    return text;
}

editor::FilterResult FilterOffset(std::string_view oldText, std::string_view newText,
                                  win::TextSelection selection, bool inch, char separator) {
    editor::FilterInput input;
    input.oldText = oldText;
    input.newText = newText;
    input.selection = selection;
    input.inch = inch;
    input.isSigned = true;
    input.separator = separator;
    input.limit = kOffsetTypingLimit;
    editor::FilterResult result = editor::NumberFieldFilter(input);
    // The label follows the text the field keeps, also after a seven-character refusal.
    result.label = rules::DimensionLabelFromText(result.text, inch);
    return result;
}

std::string StepOffset(std::string_view text, bool up, bool inch, char separator) {
    return up ? editor::StepUp(text, kOffsetLimitMm, inch, separator)
              : editor::StepDown(text, -kOffsetLimitMm, inch, separator);
}

int64_t OffsetDots(int64_t value, int resolution, bool inch) {
    return rules::DotsFromDisplay(value, resolution, inch);
}

}  // namespace advanced
