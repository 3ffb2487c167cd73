// The editor's field texts as plain data, so that turning them into record values
// and checking them runs without a window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "papertable/model_table.h"
#include "papertable/paper_record.h"

namespace rules {

struct FieldTexts {
    std::string name;
    std::string width;
    std::string length;
    std::string gap;
    std::string right;
    std::string top;
    std::string left;
    std::string bottom;
    std::string markLength;
    std::string markOffset;
    int16_t kind = 74;  // the kind chosen: 74, 75 or 76
};

// A paper as the editor's fields describe it: its name, its kind and every number in
// thousandths of the display unit (ParseFixed(text, 3) of the field's text).
struct PaperValues {
    std::string name;        // ANSI
    int16_t kind = 74;       // 74, 75 or 76
    int64_t width = 0;       // W
    int64_t length = 0;      // L
    int64_t gap = 0;         // G
    int64_t right = 0;       // R
    int64_t top = 0;         // T
    int64_t left = 0;        // F
    int64_t bottom = 0;      // B
    int64_t markLength = 0;  // ML
    int64_t markOffset = 0;  // MO
};
PaperValues ReadFieldValues(const FieldTexts& texts, char separator);

// The kind list holds the three kinds in the order 74, 75, 76.
// The kind an entry stands for: 1 gives 75, 2 gives 76, any other (none chosen) 74.
int16_t KindFromSelection(int index);
// The entry of a record's kind: 74 gives 0, 75 gives 1, any other 2.
int KindEntry(int16_t kind);

// Whether the editor was opened for a new paper or on an existing one.
enum class EditMode { NewPaper, ExistingPaper };
// The kind the editor shows for a record: 76 for a mark paper, which a record
// stored by the editor carries as nType 75 with item 6 of reserved_12_ = 2; any
// other type than 74 and 75 opens as 76.
int16_t EditorKind(const papertable::PaperRecord& record);

// The fields a kind uses. The editor disables the others; their texts still go into
// the record as they stand.
struct KindFields {
    bool length = false;
    bool gap = false;
    bool markLength = false;
    bool markOffset = false;
    bool bottom = false;  // a roll's bottom margin mirrors its top margin
};
KindFields FieldsOfKind(int16_t kind);

// True when an ANSI name fits a record's name field (31 UTF-16 units); the editor
// takes back a keystroke that would make it longer.
bool NameFitsRecord(std::string_view name);

// What the save steps need to know besides the texts.
struct UnitSettings {
    bool inch = false;
    char separator = '.';
    papertable::ModelLimits limits;
};

// The fields as the editor opens them on `record`: its name in the unit, the entry
// of its kind (EditorKind) and every number from the stored values, localized.
FieldTexts FieldTextsFromRecord(const papertable::PaperRecord& record, const UnitSettings& units);
// The values of those fields, exactly as the editor would read them back.
PaperValues ValuesFromRecord(const papertable::PaperRecord& record, const UnitSettings& units);

}  // namespace rules
