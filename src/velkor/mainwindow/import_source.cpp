#include "velkor/mainwindow/import_source.h"

#include "win/ascii_case.h"

namespace mainwindow {

void LeaveDriverFolder(win::FileSystem& files, const std::string& driverFolder) {
    if (win::EqualsIgnoringAsciiCase(files.CurrentDirectory(), driverFolder))
        files.SetCurrentDirectory(files.DocumentsFolder());
}

}  // namespace mainwindow
