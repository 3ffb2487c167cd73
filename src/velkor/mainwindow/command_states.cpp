#include "velkor/mainwindow/command_states.h"

namespace mainwindow {

CommandStates ComputeCommandStates(const SelectionFacts& facts) {
    CommandStates states;
    states.add = !facts.tableFull;
    states.edit = facts.hasPaper && !facts.builtIn && !facts.editLocked;
    states.remove = states.edit;
    states.send = facts.hasPaper && facts.hasPrinter;
    states.popup = facts.hasPaper;
    states.history = facts.hasHistory;
    return states;
}

}  // namespace mainwindow
