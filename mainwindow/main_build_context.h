// The build context of the main window's commands that rebuild the paper table.
#pragma once

#include "build/pipeline.h"
#include "mainwindow/main_state.h"
#include "win/services.h"

namespace mainwindow {

// Files and processes of the run, the window repainted while a tool runs, and the
// model prefix and device codes of the table in memory.
inline build::BuildContext MainBuildContext(const win::Services& services, win::Ui& ui,
                                            win::DialogWindow& window,
                                            const MainWindowState& state) {
    return build::BuildContext{services.files,
                               services.processes,
                               ui,
                               &window,
                               state.modelPrefix,
                               state.table.device.bySeriesCode,
                               state.table.device.byModelCode};
}

}  // namespace mainwindow
