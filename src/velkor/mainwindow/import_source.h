// Where the file dialogs around import and saving printer data start. (Whether a
// chosen file is a source of the model: papertable::IsModelSource.)
#pragma once

#include <string>
#include <string_view>

#include "win/services.h"

namespace mainwindow {

// The file dialogs start in the current directory; while that is the driver folder
// the user's documents folder is made current instead, so that nobody saves or
// picks files in the driver folder by accident.
void LeaveDriverFolder(win::FileSystem& files, const std::string& driverFolder);

}  // namespace mainwindow
