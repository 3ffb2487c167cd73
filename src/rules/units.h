// Paper dimensions in their three forms: stored (tenths of a millimetre or printer
// dots), shown (millimetres with one decimal or inches with two, with the user's
// decimal separator) and fixed point (thousandths of the display unit, in which the
// editor compares and converts). Everything here is a pure function.
//
// Texts are produced with "." and then localized; ParseFixed reads with the user's
// separator, the plain decimal reading (ReadPlainDecimal) always with ".".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "papertable/model_table.h"
#include "rules/limits.h"

namespace rules {

// Display rounding to 0, 1 or 2 decimals (any other count means none). Only the
// first dropped digit decides; negative input gives 0.
float RoundDisplay(float x, int decimals);
// RoundDisplay of |x| with the sign of x.
float RoundDisplaySigned(float x, int decimals);
// a / 10^k, rounded half away from zero.
int64_t RoundScaled(int64_t a, int k);

// The value of `text` times 10^k, read with `separator` as the decimal point. A "-"
// as the first character makes it negative; other characters are skipped. With
// k = 0 the separator ends the scan. Never fails: no digits read as 0. The magnitude
// stops growing at kParseFixedLimit, so no text can overflow it.
int64_t ParseFixed(std::string_view text, int k, char separator);
inline constexpr int64_t kParseFixedLimit = 999'999'999'999'999;

// The decimal separator of the numbers shown: the first character of the locale's
// separator text; "." when it is empty.
char DecimalSeparatorFrom(const std::string& localeSeparator);

// Replaces every "." by `separator`, in place.
void LocalizeDecimal(std::string& text, char separator);
// Replaces every `separator` by ".", in place.
void CanonicalizeDecimal(std::string& text, char separator);

// A standard decimal reading with "." as the decimal point that stops at the first
// character it cannot use; nothing readable (or a value that is not finite) gives 0.
double ReadPlainDecimal(std::string_view text);

// A millimetre text (with ".") as an inch text with `decimals` decimals, "."
// included; negative values give zero.
std::string MmTextToInchText(std::string_view mmText, int decimals);

// --- Record to display: the value to be formatted (not yet localized) ---

// Tenths of a millimetre.
float TenthsToDisplay(int tenths, bool inch);
// Dots that are not negative by nature.
float DotsToDisplay(int dots, int resolution, bool inch);
// Dots of either sign (the mark offset).
float SignedDotsToDisplay(int dots, int resolution, bool inch);
// The gap between labels, lblPitchDot - nPaperLengthRes dots.
float GapDotsToDisplay(int gapDots, int resolution, bool inch);

// "%.1f" / "%.2f", localized: the text of a number field.
std::string FieldText(float value, bool inch, char separator);
// "%.1f mm" / "%.2f \"", localized: a dimension label from a stored value.
std::string DimensionLabel(float value, bool inch, char separator);
// "%s mm" / "%s \"": a dimension label from a field's text.
std::string DimensionLabelFromText(std::string_view text, bool inch);
// "mm" or the inch sign.
std::string_view UnitLabel(bool inch);

// --- Display to record: x is ParseFixed(text, 3) ---

int64_t TenthsFromDisplay(int64_t x, bool inch);
int64_t DotsFromDisplay(int64_t x, int resolution, bool inch);
// Dots from an already rounded value in tenths of a millimetre.
int64_t DotsFromTenths(int64_t tenths, int resolution);
// Dots of a length in thousandths of a millimetre that may exceed 700 mm in
// magnitude (the gap and the mark offset).
int64_t DotsFromLongMillimetres(int64_t x, int resolution);
// Tenths of a millimetre from dots; 0 for a resolution that is not positive.
int64_t TenthsFromDots(int64_t dots, int resolution);
int64_t WholeMillimetres(int64_t x, bool inch);

// --- The numbers a field takes ---

// A number field holds at most kFieldChars characters: digits, one decimal separator
// followed by at most FieldDecimals digits and, in a signed field, a leading "-".
inline constexpr size_t kFieldChars = 6;
// The largest magnitude a field takes.
inline constexpr double kFieldLimit = 9999.9;
constexpr int FieldDecimals(bool inch) {
    return inch ? 2 : 1;
}
// Whether the characters of `text` are ones a field takes, in that order.
bool FieldCharactersFit(std::string_view text, bool inch, bool isSigned, char separator);
// Whether the value of `text` (read up to its first character that is not part of a
// plain "." number) lies within `limit`.
bool FieldValueFits(std::string_view text, bool isSigned, double limit = kFieldLimit);

// --- Save-time limits, in thousandths of the display unit, bounds inclusive ---

struct SaveLimits {
    int64_t widthMin = 0, widthMax = 0;
    int64_t lengthMin = 0, lengthMax = 0;
    int64_t gapMin = 0, gapMax = 0;
    int64_t markLengthMin = 0, markLengthMax = 0;
    int64_t markOffsetMin = 0, markOffsetMax = 0;
    int64_t usableWidth = 0;       // upper bound of left + right margin
    int64_t minSideMargin = 0;     // smallest left and right margin
    int64_t minTopBottom = 0;      // smallest top and bottom margin
    int64_t maxTopPlusBottom = 0;  // upper bound of top + bottom margin
};
// `kind` is 74, 75 or 76; `width` and `length` are the fields' values.
SaveLimits ComputeSaveLimits(const EditorLimits& limits, bool inch, int kind, int64_t width,
                             int64_t length);

// "[ 11.9 - 63.0 ]" and the like, localized: the range's millimetre column with one
// decimal, in inch mode converted to inches with two.
std::string RangeLabel(const Range& range, bool inch, char separator);
// "\n( 6.0mm - 1000.0mm )" / "\n( 0.24\" - 39.37\" )" from bounds in thousandths,
// rounded half away from zero to the unit's decimals, localized.
std::string RangeLine(int64_t lower, int64_t upper, bool inch, char separator);

}  // namespace rules
