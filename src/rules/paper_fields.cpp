#include "rules/paper_fields.h"

#include <array>

#include "papertable/paper_name.h"
#include "papertable/source_reader.h"
#include "rules/units.h"
#include "win/codepage.h"

namespace rules {

PaperValues ReadFieldValues(const FieldTexts& t, char separator) {
    auto read = [separator](const std::string& text) { return ParseFixed(text, 3, separator); };
    return {t.name,
            t.kind,
            read(t.width),
            read(t.length),
            read(t.gap),
            read(t.right),
            read(t.top),
            read(t.left),
            read(t.bottom),
            read(t.markLength),
            read(t.markOffset)};
}

int16_t KindFromSelection(int index) {
    if (index == 1) return papertable::kKindLabel;
    if (index == 2) return papertable::kKindMark;
    return papertable::kKindRoll;
}

int KindEntry(int16_t kind) {
    if (kind == papertable::kKindRoll) return 0;
    if (kind == papertable::kKindLabel) return 1;
    return 2;
}

int16_t EditorKind(const papertable::PaperRecord& record) {
    if (papertable::ReservedItem(record.reserved_12_, 6) == 2) return papertable::kKindMark;
    return KindFromSelection(KindEntry(record.nType));
}

KindFields FieldsOfKind(int16_t kind) {
    const bool roll = kind == papertable::kKindRoll;
    const bool label = kind == papertable::kKindLabel;
    const bool mark = !roll && !label;
    return {!roll, label, mark, mark, !roll};
}

bool NameFitsRecord(std::string_view name) {
    std::array<char16_t, papertable::kNameUnits> wide{};
    return win::AnsiToWide(name, wide);
}

FieldTexts FieldTextsFromRecord(const papertable::PaperRecord& r, const UnitSettings& units) {
    const bool inch = units.inch;
    const int res = units.limits.resolution;
    auto text = [&](float value) { return FieldText(value, inch, units.separator); };
    const int16_t kind = EditorKind(r);
    const int bottomDots = kind == papertable::kKindRoll
                               ? r.nPhysicalOffsetY
                               : r.nPaperLengthRes - r.nPhysicalOffsetY - r.nImageAreaLengthRes;
    FieldTexts t;
    t.name = papertable::AnsiName(inch ? r.szPaperName_inch : r.szPaperName_mm);
    t.width = text(TenthsToDisplay(r.nPaperWidth, inch));
    t.length = text(TenthsToDisplay(r.nPaperLength, inch));
    t.gap = text(GapDotsToDisplay(r.lblPitchDot - r.nPaperLengthRes, res, inch));
    t.right = text(
        DotsToDisplay(r.nPaperWidthRes - r.nPhysicalOffsetX - r.nImageAreaWidthRes, res, inch));
    t.top = text(DotsToDisplay(r.nPhysicalOffsetY, res, inch));
    t.left = text(DotsToDisplay(r.nPhysicalOffsetX, res, inch));
    t.bottom = text(DotsToDisplay(bottomDots, res, inch));
    t.markLength = text(DotsToDisplay(r.markLength, res, inch));
    t.markOffset = text(SignedDotsToDisplay(r.markOffset, res, inch));
    t.kind = kind;
    return t;
}

PaperValues ValuesFromRecord(const papertable::PaperRecord& record, const UnitSettings& units) {
    return ReadFieldValues(FieldTextsFromRecord(record, units), units.separator);
}

}  // namespace rules
