#include "rules/paper_values.h"

#include <array>
#include <cstdio>

#include "papertable/source_reader.h"
#include "rules/units.h"
#include "win/codepage.h"

namespace rules {

namespace {

using papertable::PaperRecord;

constexpr size_t kSizeNameBytes = 15;

template <size_t N>
void StoreWide(std::string_view ansi, std::array<char16_t, N>& out) {
    // A text that does not fit leaves the field empty; the name field never holds
    // more than fits, and the inch strings are short numbers.
    win::AnsiToWide(ansi, out);
}

std::string InchString(int64_t thousandths, bool inch) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, inch ? "%.2f" : "%.1f",
                  static_cast<double>(thousandths) / 1000);
    const std::string number = inch ? std::string(buffer) : MmTextToInchText(buffer, 2);
    return number + "\"";
}

std::string Decimal(int64_t value) {
    return std::to_string(value);
}

int Low(int value) {
    return value & 0xFF;
}
int High(int value) {
    return (value >> 8) & 0xFF;
}

}  // namespace

std::string SizeNameBytes(std::string_view name, bool (*isLeadByte)(char)) {
    size_t taken = 0;
    while (taken < name.size()) {
        const size_t width = isLeadByte(name[taken]) && taken + 1 < name.size() ? 2 : 1;
        if (taken + width > kSizeNameBytes) break;
        taken += width;
    }
    return std::string(name.substr(0, taken));
}

bool BuildRecord(const PaperValues& v, const UnitSettings& units, PaperRecord& r) {
    const bool inch = units.inch;
    const int res = units.limits.resolution;

    StoreWide(v.name, r.szPaperName_mm);
    StoreWide(v.name, r.szPaperName_inch);
    StoreWide(InchString(v.width, inch), r.szPaperWidthString_inch);
    StoreWide(InchString(v.length, inch), r.szPaperLengthString_inch);

    const int16_t kind = v.kind;
    r.nType = kind;
    r.wPafMediaID = Decimal(r.nPaperSize);
    const bool roll = kind == papertable::kKindRoll;
    r.nMaxFeed = roll ? kRollMaxFeed : 0;
    r.nMaxLength = roll ? kRollMaxLength : 0;
    r.nMinLength = roll ? kRollMinLength : 0;

    auto dots = [&](int64_t x) { return DotsFromDisplay(x, res, inch); };
    const int64_t paperWidth = TenthsFromDisplay(v.width, inch);
    const int64_t widthDots = inch ? dots(v.width) : DotsFromTenths(paperWidth, res);
    const int64_t leftDots = dots(v.left);
    const int64_t rightDots = dots(v.right);
    const int64_t imageWidthDots = widthDots - leftDots - rightDots;
    r.nPaperWidth = static_cast<int16_t>(paperWidth);
    r.nPaperWidthRes = static_cast<int16_t>(widthDots);
    r.nImageAreaWidthRes = static_cast<int16_t>(imageWidthDots);
    r.nImageAreaWidth = static_cast<int16_t>(TenthsFromDots(imageWidthDots, res));

    int64_t lengthDots = 0;
    if (roll) {
        r.nPaperLength = r.nImageAreaLength = r.nPaperLengthRes = r.nImageAreaLengthRes = 0;
    } else {
        const int64_t printable = v.length - v.bottom - v.top;
        const int64_t length = TenthsFromDisplay(v.length, inch);
        const int64_t imageLength = TenthsFromDisplay(printable, inch);
        lengthDots = inch ? dots(v.length) : DotsFromTenths(length, res);
        const int64_t imageLengthDots = inch ? dots(printable) : DotsFromTenths(imageLength, res);
        r.nPaperLength = static_cast<int16_t>(length);
        r.nImageAreaLength = static_cast<int16_t>(imageLength);
        r.nPaperLengthRes = static_cast<int16_t>(lengthDots);
        r.nImageAreaLengthRes = static_cast<int16_t>(imageLengthDots);
    }
    lengthDots = r.nPaperLengthRes;

    const int64_t topDots = dots(v.top);
    r.nPhysicalOffsetX = static_cast<int16_t>(leftDots);
    r.nPhysicalOffsetY = static_cast<int16_t>(topDots);

    // The printable area is centred on the head as if both side margins were the left one.
    const int64_t centred = dots(v.width - 2 * v.left);
    const int64_t pinLeft = (units.limits.headWidth - centred) / 2;
    r.wPinOffsetLeft = static_cast<uint16_t>(pinLeft);
    r.wPinOffsetRight =
        static_cast<uint16_t>(units.limits.headWidth - pinLeft - r.nImageAreaWidthRes);

    if (roll)
        r.dwPaperAbility01 |= kRollAbilityBit;
    else
        r.dwPaperAbility01 &= ~kSensingAbilityBits;

    r.byRollWidMm = Decimal(WholeMillimetres(v.width, inch));

    if (kind == papertable::kKindLabel) {
        const int64_t gapMm = inch ? v.gap * 254 / 10 : v.gap;
        r.lblPitchDot = static_cast<uint16_t>(DotsFromLongMillimetres(gapMm, res) + lengthDots);
    } else if (kind == papertable::kKindMark) {
        r.lblPitchDot = static_cast<uint16_t>(lengthDots);
    } else {
        r.lblPitchDot = 0;
    }

    r.markNoChkValu = 0;
    // assign(count, char): gcc 12 warns falsely (-Wrestrict) on assigning short literals.
    r.byHeadDivide.assign(1, '0');
    r.szSizeMM = SizeNameBytes(v.name, &win::IsLeadByte);
    r.szSizeIN.assign(1, ' ');

    const int64_t markOffsetDots =
        inch ? dots(v.markOffset) : DotsFromLongMillimetres(v.markOffset, res);
    r.markOffset = static_cast<int16_t>(markOffsetDots);
    r.markLength = static_cast<uint16_t>(dots(v.markLength));
    const int bottomDots = static_cast<uint16_t>(dots(v.bottom));

    const bool mark = kind == papertable::kKindMark;
    const int offsetY = static_cast<uint16_t>(r.nPhysicalOffsetY);
    const int markOffset = mark ? static_cast<uint16_t>(r.markOffset) : 0;
    const int markLength = mark ? r.markLength : 0;
    const int kindCode = roll ? 0 : (mark ? 2 : 1);
    int kept[3];
    for (int i = 0; i < 3; ++i)
        kept[i] = static_cast<int16_t>(papertable::ReservedItem(r.reserved_12_, 9 + i));
    char list[160];
    std::snprintf(list, sizeof list, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", Low(offsetY),
                  High(offsetY), Low(markOffset), High(markOffset), Low(markLength),
                  High(markLength), kindCode, Low(bottomDots), High(bottomDots), kept[0], kept[1],
                  kept[2]);
    r.reserved_12_ = list;

    if (mark) {
        r.nType = papertable::kKindLabel;
        return true;
    }
    return false;
}

}  // namespace rules
