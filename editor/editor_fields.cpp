#include "editor/editor_fields.h"

#include "editor/units.h"
#include "papertable/paper_record.h"

namespace editor {

FieldValues ReadFieldValues(const FieldTexts& t, char separator) {
    auto read = [separator](const std::string& text) { return ParseFixed(text, 3, separator); };
    return {read(t.width), read(t.length), read(t.gap),        read(t.right),     read(t.top),
            read(t.left),  read(t.bottom), read(t.markLength), read(t.markOffset)};
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

}  // namespace editor
