// The editor's field texts for the tests of its rules and messages: a 50 x 30 mm
// label in millimetres whose every value is within the 203-dpi limits, and a copy
// of field texts with one change.
#pragma once

#include "rules/paper_fields.h"
#include "rules/paper_values.h"

namespace editortest {

// `kindIndex`: the kind list's line (0 roll, 1 label, 2 mark).
inline rules::FieldTexts ValidFields(int kindIndex) {
    rules::FieldTexts t;
    t.name = "Label 50";
    t.width = "50.0";
    t.length = "30.0";
    t.gap = "3.0";
    t.right = t.left = "2.0";
    t.top = t.bottom = "3.0";
    t.markLength = "3.0";
    t.markOffset = "0.0";
    t.kind = rules::KindFromSelection(kindIndex);
    return t;
}

// What the editor's save makes of its field texts: their values, then the record.
inline bool ApplyFields(const rules::FieldTexts& texts, const rules::UnitSettings& units,
                        papertable::PaperRecord& record) {
    return rules::BuildRecord(rules::ReadFieldValues(texts, units.separator), units, record);
}

template <class F>
rules::FieldTexts With(rules::FieldTexts t, F change) {
    change(t);
    return t;
}

}  // namespace editortest
