// The paper editor's two ways to finish, without its window: the values of its
// fields go into the working record, the record is checked against the table and the model's
// limits, and the paper set stores it, which builds and installs the table. The
// editor and the command-line tool both save through these.
#pragma once

#include <optional>

#include "paperset/paper_set.h"
#include "papertable/paper_record.h"
#include "rules/paper_fields.h"
#include "rules/validate_fields.h"

namespace rules {

struct SaveResult {
    std::optional<Violation> violation;  // the first check that failed; nothing stored
    paperset::ChangeResult change;       // the paper set's answer once the checks passed
    bool Ok() const { return !violation && change.Ok(); }
};

// OK: stores the paper as a new one. `record` is the paper the editor opened on; a
// new paper has its identifier already, an existing one gets a free one for the
// copy and keeps its own when the checks refuse.
SaveResult SaveAsNew(paperset::PaperSet& paperSet, papertable::PaperRecord& record,
                     const PaperValues& values, const UnitSettings& units, EditMode editMode);

// Button 1046: stores the paper over the one at `index`.
SaveResult SaveOver(paperset::PaperSet& paperSet, int index, papertable::PaperRecord& record,
                    const PaperValues& values, const UnitSettings& units, EditMode editMode);

}  // namespace rules
