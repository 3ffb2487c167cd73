#include "rules/validate_fields.h"

#include "papertable/paper_name.h"
#include "resources/resource_ids.h"
#include "rules/units.h"
#include "win/strings.h"

namespace rules {

namespace {

using papertable::AnsiName;
using papertable::PaperRecord;

bool NameInUse(const ValidationInput& in) {
    const std::string mm = AnsiName(in.record.szPaperName_mm);
    const std::string inch = AnsiName(in.record.szPaperName_inch);
    for (const PaperRecord& paper : in.papers) {
        const std::string otherMm = AnsiName(paper.szPaperName_mm);
        const std::string otherInch = AnsiName(paper.szPaperName_inch);
        const bool match = mm == otherMm || mm == otherInch || inch == otherMm || inch == otherInch;
        if (!match) continue;
        if (in.editMode == EditMode::ExistingPaper && paper.nPaperSize == in.record.nPaperSize)
            continue;
        return true;
    }
    return false;
}

Violation RangeViolation(int itemId, int64_t lower, int64_t upper) {
    return {IDS_RANGE_ERROR, {itemId}, "%s", std::make_pair(lower, upper)};
}

Violation PairRange(int first, int second, const char* joiner, int64_t lower, int64_t upper) {
    return {IDS_RANGE_ERROR, {first, second}, joiner, std::make_pair(lower, upper)};
}

bool Outside(int64_t value, int64_t lower, int64_t upper) {
    return value < lower || value > upper;
}

}  // namespace

std::optional<Violation> ValidateFields(const ValidationInput& in, const PaperValues& v,
                                        const UnitSettings& units) {
    const auto& name = in.record.szPaperName_mm;
    if (name[0] == 0 || name[0] == u' ') return Violation{IDS_NAME_REFUSED, {}, "%s", std::nullopt};
    if (NameInUse(in)) return Violation{IDS_NAME_IN_USE, {}, "%s", std::nullopt};

    const int kind = in.markMode ? papertable::kKindMark : in.record.nType;
    const SaveLimits s =
        ComputeSaveLimits(LimitsOf(units.limits), units.inch, kind, v.width, v.length);
    const bool label = in.record.nType == papertable::kKindLabel;

    if (Outside(v.width, s.widthMin, s.widthMax))
        return RangeViolation(IDS_ITEM_WIDTH, s.widthMin, s.widthMax);
    if (label && Outside(v.length, s.lengthMin, s.lengthMax))
        return RangeViolation(IDS_ITEM_LENGTH, s.lengthMin, s.lengthMax);
    if (label && !in.markMode && Outside(v.gap, s.gapMin, s.gapMax))
        return RangeViolation(IDS_ITEM_GAP, s.gapMin, s.gapMax);
    if (in.markMode && Outside(v.markLength, s.markLengthMin, s.markLengthMax))
        return RangeViolation(IDS_ITEM_MARK_LENGTH, s.markLengthMin, s.markLengthMax);
    if (in.markMode && Outside(v.markOffset, s.markOffsetMin, s.markOffsetMax))
        return RangeViolation(IDS_ITEM_MARK_OFFSET, s.markOffsetMin, s.markOffsetMax);
    if (v.right < s.minSideMargin || v.left < s.minSideMargin)
        return PairRange(IDS_ITEM_RIGHT, IDS_ITEM_LEFT, "%s , %s", s.minSideMargin,
                         s.usableWidth - s.minSideMargin);
    if (v.right + v.left > s.usableWidth)
        return PairRange(IDS_ITEM_RIGHT, IDS_ITEM_LEFT, "%s + %s", s.minSideMargin, s.usableWidth);
    if (v.top < s.minTopBottom || v.bottom < s.minTopBottom)
        return PairRange(IDS_ITEM_TOP, IDS_ITEM_BOTTOM, "%s / %s", s.minTopBottom,
                         s.maxTopPlusBottom);
    if (v.top + v.bottom > s.maxTopPlusBottom)
        return PairRange(IDS_ITEM_TOP, IDS_ITEM_BOTTOM, "%s + %s", s.minTopBottom,
                         s.maxTopPlusBottom);
    return std::nullopt;
}

std::string FillFirst(std::string_view format, std::string_view value) {
    const size_t at = format.find("%s");
    if (at == std::string_view::npos) return std::string(format);
    std::string text(format.substr(0, at));
    text += value;
    text += format.substr(at + 2);
    return text;
}

std::string ViolationText(const Violation& violation, win::Strings& strings,
                          const UnitSettings& units) {
    const std::string message = strings.LoadString(violation.messageId);
    if (violation.itemIds.empty()) return message;
    std::string item = strings.LoadString(violation.itemIds[0]);
    if (violation.itemIds.size() > 1) {
        // The joiner's second "%s" is found in the joiner, never inside the first name.
        const std::string_view joiner = violation.joiner;
        const size_t first = joiner.find("%s");
        item = FillFirst(joiner.substr(0, first + 2), item) +
               FillFirst(joiner.substr(first + 2), strings.LoadString(violation.itemIds[1]));
    }
    std::string text = FillFirst(message, item);
    if (violation.range) {
        text +=
            RangeLine(violation.range->first, violation.range->second, units.inch, units.separator);
    }
    return text;
}

}  // namespace rules
