// What the main window hands to the paper editor before it opens.
#pragma once

#include <string>

#include "app/model_table.h"
#include "papertable/paper_record.h"

namespace editor {

struct EditorArgs {
    // The main window's working record, edited in place.
    papertable::PaperRecord& record;
    // The main window's table. Its paper array is the editor's table: the save flows
    // store the paper there before the files are written. Its device record supplies
    // the "Version" and "Model" texts of the written source. The editor keeps its own
    // count, starting from table.paperCount.
    papertable::PaperTable& table;
    int editMode = 0;  // 0 new paper, 1 edit the paper at currentIndex
    bool okInitiallyEnabled = true;
    bool inchUnits = false;
    char decimalSeparator = '.';
    std::string modelPrefix{};
    std::string driverFolder{};
    int currentIndex = -1;
    bool tableFull = false;
    app::ModelLimits limits{};
};

// Results of a modal run besides cancel.
inline constexpr int kStoredAsNew = 1;
inline constexpr int kStoredOver = 10;

}  // namespace editor
