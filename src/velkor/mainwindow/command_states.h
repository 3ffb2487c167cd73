// Which of the main window's commands apply, from the selection and the table.
#pragma once

namespace mainwindow {

struct CommandStates {
    bool add = false;      // 1001
    bool edit = false;     // 1002
    bool remove = false;   // 1003
    bool send = false;     // 1013
    bool popup = false;    // 1014 and the commands of its menu
    bool history = false;  // 1016
    bool operator==(const CommandStates&) const = default;
};

struct SelectionFacts {
    bool hasPaper = false;  // a line is selected
    bool builtIn = false;
    bool editLocked = false;
    bool tableFull = false;
    bool hasPrinter = false;  // printerName is not empty
    bool hasHistory = false;  // the model's history holds an entry
};

// Edit and delete need a user paper that is not locked; sending and the split
// button need a paper, sending a printer as well; adding needs room in the table;
// the history needs an entry, whatever is selected.
CommandStates ComputeCommandStates(const SelectionFacts& facts);

}  // namespace mainwindow
