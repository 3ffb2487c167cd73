// Everything the main window owns during a run. Its commands (here and in the
// files beside it) work on this state and on the window; dialogs get copies or
// references of the parts they edit.
#pragma once

#include <memory>
#include <string>

#include "history/model_papers.h"
#include "paperset/paper_set.h"
#include "papertable/model_table.h"
#include "papertable/paper_record.h"

namespace mainwindow {

struct MainWindowState {
    // The model's paper set and its history, made once the driver folder is known.
    // paperCount and tableFull live in the set's table: Table().paperCount,
    // Table().tableFull.
    std::unique_ptr<history::ModelPapers> papers;
    int currentIndex = -1;                  // selected line of the list; -1 with no selection
    papertable::PaperRecord workingRecord;  // copy of the paper last selected
    bool tableChanged = false;
    bool inchUnits = false;
    char decimalSeparator = '.';
    std::string modelPrefix;
    std::string printerName;
    papertable::ModelLimits modelLimits;
    std::string driverFolder;

    papertable::PaperTable& Table() { return papers->paperSet.Table(); }
    const papertable::PaperTable& Table() const { return papers->paperSet.Table(); }

    // The selected paper; null when no line is selected.
    const papertable::PaperRecord* SelectedPaper() const {
        if (currentIndex < 0 || currentIndex >= Table().paperCount) return nullptr;
        return &Table().papers[static_cast<size_t>(currentIndex)];
    }
};

}  // namespace mainwindow
