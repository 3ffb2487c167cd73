// What the main window hands to the paper editor before it opens.
#pragma once

#include <string>

#include "paperset/paper_set.h"
#include "papertable/model_table.h"
#include "papertable/paper_record.h"
#include "rules/paper_fields.h"
#include "velkor/editor/advanced_settings.h"

namespace editor {

struct EditorArgs {
    // The main window's working record, edited in place.
    papertable::PaperRecord& record;
    // The model's paper set: the save flows store the paper through it, which builds
    // and installs the table; its papers are checked for names in use.
    paperset::PaperSet& paperSet;
    rules::EditMode editMode = rules::EditMode::NewPaper;
    bool okInitiallyEnabled = true;
    bool inchUnits = false;
    char decimalSeparator = '.';
    int currentIndex = -1;  // the paper an overwrite replaces
    bool tableFull = false;
    papertable::ModelLimits limits{};
    // Button 1034; without it the button only takes the kind into the record.
    AdvancedSettings advancedSettings{};
};

// Results of a modal run besides cancel.
inline constexpr int kStoredAsNew = 1;
inline constexpr int kStoredOver = 10;

}  // namespace editor
