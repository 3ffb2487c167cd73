// Everything the main window owns during a run. Its commands (here and in the
// files beside it) work on this state and on the window; dialogs get copies or
// references of the parts they edit.
#pragma once

#include <memory>
#include <string>

#include "app/model_table.h"
#include "papertable/paper_record.h"

namespace mainwindow {

struct MainWindowState {
    // paperCount and tableFull live in the table: table.paperCount, table.tableFull.
    papertable::PaperTable table;
    int currentIndex = -1;                  // selected line of the list; -1 with no selection
    papertable::PaperRecord workingRecord;  // copy of the paper last selected
    bool tableChanged = false;
    bool inchUnits = false;
    char decimalSeparator = '.';
    std::string modelPrefix;
    std::string printerName;
    app::ModelLimits modelLimits;
    std::string driverFolder;

    // The selected paper; null when no line is selected.
    const papertable::PaperRecord* SelectedPaper() const {
        if (currentIndex < 0 || currentIndex >= table.paperCount) return nullptr;
        return &table.papers[static_cast<size_t>(currentIndex)];
    }
};

}  // namespace mainwindow
