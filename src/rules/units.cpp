#include "rules/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "papertable/paper_record.h"

namespace rules {

namespace {

int64_t PowerOfTen(int k) {
    int64_t p = 1;
    for (int i = 0; i < k; ++i) p *= 10;
    return p;
}

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

float RoundDisplay(float x, int decimals) {
    if (!(x >= 0)) return 0;  // negative, and not a number
    if (decimals < 0 || decimals > 2) decimals = 0;
    const long double scaled = static_cast<long double>(x) * PowerOfTen(decimals + 1);
    // The digits live in an unsigned 32-bit integer; larger values are held there.
    constexpr long double kMax = 4294967295.0L;
    uint64_t a = static_cast<uint64_t>(std::min(scaled, kMax));
    if (a % 10 >= 5) a += 10;
    const double result = static_cast<double>(a / 10) / static_cast<double>(PowerOfTen(decimals));
    return static_cast<float>(result);
}

float RoundDisplaySigned(float x, int decimals) {
    const float magnitude = RoundDisplay(std::fabs(x), decimals);
    return x < 0 ? -magnitude : magnitude;
}

int64_t RoundScaled(int64_t a, int k) {
    if (k <= 0) return a;
    const int64_t divisor = PowerOfTen(k);
    const int64_t half = divisor / 2;
    return (a >= 0 ? a + half : a - half) / divisor;
}

int64_t ParseFixed(std::string_view text, int k, char separator) {
    const bool negative = !text.empty() && text.front() == '-';
    int64_t value = 0;
    bool afterSeparator = false;
    int decimals = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (value <= (kParseFixedLimit - 9) / 10) {
                value = value * 10 + (c - '0');
            } else {
                value = kParseFixedLimit;
            }
            if (!afterSeparator) continue;
            if (++decimals == k) {
                if (i + 1 < text.size() && text[i + 1] >= '5' && text[i + 1] <= '9') ++value;
                break;
            }
        } else if (c == separator) {
            if (k == 0) break;
            afterSeparator = true;
        }
    }
    for (; decimals < k; ++decimals) value = std::min(value * 10, kParseFixedLimit);
    value = std::min(value, kParseFixedLimit);
    return negative ? -value : value;
}

void LocalizeDecimal(std::string& text, char separator) {
    std::replace(text.begin(), text.end(), '.', separator);
}

char DecimalSeparatorFrom(const std::string& localeSeparator) {
    return localeSeparator.empty() ? '.' : localeSeparator.front();
}

void CanonicalizeDecimal(std::string& text, char separator) {
    std::replace(text.begin(), text.end(), separator, '.');
}

double ReadPlainDecimal(std::string_view text) {
    size_t start = 0;
    while (start < text.size() &&
           (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r')))
        ++start;
    if (start < text.size() && text[start] == '+') ++start;
    double value = 0;
    const char* first = text.data() + start;
    const auto [end, error] =
        std::from_chars(first, text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end == first || !std::isfinite(value)) return 0;
    return value;
}

std::string MmTextToInchText(std::string_view mmText, int decimals) {
    const float mm = static_cast<float>(ReadPlainDecimal(mmText));
    const float inches = static_cast<float>(static_cast<long double>(mm) * 10.0L / 254.0L);
    char format[16];
    std::snprintf(format, sizeof format, "%%0.%df", decimals);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format,
                  static_cast<double>(RoundDisplay(inches, decimals)));
    return buffer;
}

float TenthsToDisplay(int tenths, bool inch) {
    if (inch) return RoundDisplay(static_cast<float>(tenths / 254.0), 2);
    return RoundDisplay(static_cast<float>(tenths / 10.0), 1);
}

namespace {

// The dot count as a single-precision quotient in the display unit, before rounding.
float DotsQuotient(int dots, int resolution, bool inch) {
    if (resolution <= 0) return 0;
    if (inch) return static_cast<float>(static_cast<double>(dots) / resolution);
    return static_cast<float>(static_cast<double>(dots) * 254.0 / (resolution * 10));
}

}  // namespace

float DotsToDisplay(int dots, int resolution, bool inch) {
    return RoundDisplay(DotsQuotient(dots, resolution, inch), FieldDecimals(inch));
}

float SignedDotsToDisplay(int dots, int resolution, bool inch) {
    return RoundDisplaySigned(DotsQuotient(dots, resolution, inch), FieldDecimals(inch));
}

float GapDotsToDisplay(int gapDots, int resolution, bool inch) {
    const float mm = DotsQuotient(gapDots, resolution, false);
    if (inch) return RoundDisplay(static_cast<float>(mm / 25.4), 2);
    return RoundDisplay(mm, 1);
}

std::string FieldText(float value, bool inch, char separator) {
    std::string text = Format(inch ? "%.2f" : "%.1f", value);
    LocalizeDecimal(text, separator);
    return text;
}

std::string DimensionLabel(float value, bool inch, char separator) {
    std::string text = Format(inch ? "%.2f \"" : "%.1f mm", value);
    LocalizeDecimal(text, separator);
    return text;
}

std::string DimensionLabelFromText(std::string_view text, bool inch) {
    return std::string(text) + (inch ? " \"" : " mm");
}

std::string_view UnitLabel(bool inch) {
    return inch ? "\"" : "mm";
}

int64_t TenthsFromDisplay(int64_t x, bool inch) {
    return inch ? RoundScaled(x * 254, 3) : RoundScaled(x, 2);
}

int64_t DotsFromDisplay(int64_t x, int resolution, bool inch) {
    if (inch) return RoundScaled(x * resolution, 3);
    return RoundScaled(x * resolution * 10 / 254, 3);
}

int64_t DotsFromTenths(int64_t tenths, int resolution) {
    return RoundScaled(tenths * resolution * 10 / 254, 1);
}

int64_t DotsFromLongMillimetres(int64_t x, int resolution) {
    if (x > 700000 || x < -700000) return RoundScaled(x * resolution / 254, 2);
    return DotsFromDisplay(x, resolution, false);
}

int64_t TenthsFromDots(int64_t dots, int resolution) {
    return resolution > 0 ? dots * 254 / resolution : 0;
}

int64_t WholeMillimetres(int64_t x, bool inch) {
    return inch ? (x * 254 + 5000) / 10000 : (x + 500) / 1000;
}

bool FieldCharactersFit(std::string_view text, bool inch, bool isSigned, char separator) {
    if (text.size() > kFieldChars) return false;
    bool afterSeparator = false;
    int decimals = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool accepted = false;
        if (c == separator) {
            accepted = !afterSeparator;
            afterSeparator = true;
        } else if (IsDigit(c)) {
            accepted = !afterSeparator || ++decimals <= FieldDecimals(inch);
        } else if (c == '-') {
            accepted = isSigned && i == 0;
        }
        if (!accepted) return false;
    }
    return true;
}

bool FieldValueFits(std::string_view text, bool isSigned, double limit) {
    const double value = ReadPlainDecimal(text);
    return value <= limit && (!isSigned || value >= -limit);
}

SaveLimits ComputeSaveLimits(const EditorLimits& limits, bool inch, int kind, int64_t width,
                             int64_t length) {
    SaveLimits s;
    const auto in = [inch](const Bound& bound) { return bound.In(inch); };
    const Range& lengthRange = kind == papertable::kKindMark ? limits.markedLength : limits.length;
    s.widthMin = in(limits.width.lower);
    s.widthMax = in(limits.width.upper);
    s.lengthMin = in(lengthRange.lower);
    s.lengthMax = in(lengthRange.upper);
    s.gapMin = in(limits.gap.lower);
    s.gapMax = in(limits.gap.upper);
    s.markLengthMin = in(limits.markLength.lower);
    s.markLengthMax = length;
    s.markOffsetMin = -length;
    s.markOffsetMax = length;
    const int64_t edge = in(limits.printEdge);
    s.usableWidth = width - edge;
    const int64_t maxPrint = in(limits.maxPrintWidth);
    // An odd difference loses its half: the smallest margin is rounded down.
    s.minSideMargin = width > maxPrint ? (width - maxPrint) / 2 : 0;
    s.minTopBottom = kind == papertable::kKindLabel ? 0 : in(limits.markedTopBottomMin);
    s.maxTopPlusBottom =
        kind == papertable::kKindRoll ? in(limits.rollTopPlusBottomMax) : length - edge;
    return s;
}

std::string RangeLabel(const Range& range, bool inch, char separator) {
    std::string lower = Format("%0.1f", range.lower.Millimetres());
    std::string upper = Format("%0.1f", range.upper.Millimetres());
    if (inch) {
        lower = MmTextToInchText(lower, 2);
        upper = MmTextToInchText(upper, 2);
    }
    std::string text = "[ " + lower + " - " + upper + " ]";
    LocalizeDecimal(text, separator);
    return text;
}

namespace {

// Thousandths as a decimal text with 1 or 2 decimals, "." as the point. The bounds
// are exact, so a half (a smallest side margin of 3.25 mm) is rounded away from zero
// here rather than left to the runtime's formatting of the nearest double.
std::string Thousandths(int64_t value, int decimals) {
    const int64_t scaled = RoundScaled(value, 3 - decimals);
    const int64_t unit = PowerOfTen(decimals);
    const int64_t magnitude = scaled < 0 ? -scaled : scaled;
    std::string fraction = std::to_string(magnitude % unit);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    return (scaled < 0 ? "-" : "") + std::to_string(magnitude / unit) + "." + fraction;
}

}  // namespace

std::string RangeLine(int64_t lower, int64_t upper, bool inch, char separator) {
    const int decimals = FieldDecimals(inch);
    const std::string_view unit = inch ? "\"" : "mm";
    std::string text = "\n( " + Thousandths(lower, decimals) + std::string(unit) + " - " +
                       Thousandths(upper, decimals) + std::string(unit) + " )";
    LocalizeDecimal(text, separator);
    return text;
}

}  // namespace rules
