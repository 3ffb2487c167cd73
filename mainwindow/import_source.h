// Checks of the file and folder dialogs around import and saving printer data.
#pragma once

#include <string>
#include <string_view>

#include "papertable/profile.h"
#include "win/services.h"

namespace mainwindow {

// A source file belongs to the model when its "OutputFileName" in "Version" is the
// model prefix followed by "ed.lyt", in any case. A missing file, section or key,
// and an empty value, belong to no model.
bool IsModelSource(const papertable::ProfileFile& file, const std::string& modelPrefix);

// The file dialogs start in the current directory; while that is the driver folder
// the user's documents folder is made current instead, so that nobody saves or
// picks files in the driver folder by accident.
void LeaveDriverFolder(win::FileSystem& files, const std::string& driverFolder);

}  // namespace mainwindow
