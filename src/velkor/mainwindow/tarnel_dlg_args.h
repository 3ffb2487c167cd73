// What start-up hands to the main window.
#pragma once

#include <string>

#include "papertable/model_table.h"

namespace mainwindow {

struct MainWindowArgs {
    std::string modelPrefix;  // empty when the model is unknown
    bool inchUnits = false;
    papertable::ModelLimits modelLimits;
    std::string printerName;  // empty when no printer of that name exists
};

}  // namespace mainwindow
