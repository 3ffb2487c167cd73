#include "mainwindow/import_source.h"

#include "papertable/source_reader.h"
#include "win/ascii_case.h"

namespace mainwindow {

bool IsModelSource(const papertable::ProfileFile& file, const std::string& modelPrefix) {
    const std::string tag =
        file.GetString("Version", "OutputFileName", std::string(1, papertable::kMissingMarker),
                       papertable::kTextBufferBytes);
    if (tag.empty() || tag[0] == papertable::kMissingMarker) return false;
    return win::EqualsIgnoringAsciiCase(tag, modelPrefix + "ed.lyt");
}

void LeaveDriverFolder(win::FileSystem& files, const std::string& driverFolder) {
    if (win::EqualsIgnoringAsciiCase(files.CurrentDirectory(), driverFolder))
        files.SetCurrentDirectory(files.DocumentsFolder());
}

}  // namespace mainwindow
