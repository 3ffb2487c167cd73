// Turning the editor's field texts into the values of the working paper record,
// every derived value included (dots, printable area, pin offsets, reserved_12_).
#pragma once

#include <string>
#include <string_view>

#include "editor/editor_fields.h"
#include "papertable/paper_record.h"

namespace editor {

// Writes the fields into `record`. Gives markMode: true when the kind is 76, which
// the record then carries as nType 75 with item 6 of reserved_12_ = 2.
bool ApplyFields(const FieldTexts& texts, const UnitSettings& units,
                 papertable::PaperRecord& record);

// szSizeMM from an ANSI name: whole characters only, at most 15 bytes.
std::string SizeNameBytes(std::string_view ansiName, bool (*isLeadByte)(char));

}  // namespace editor
