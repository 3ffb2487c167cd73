#include "mainwindow/import_source.h"

#include "papertable/source_reader.h"

namespace mainwindow {
namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

bool IsModelSource(const papertable::ProfileFile& file, const std::string& modelPrefix) {
    const std::string tag =
        file.GetString("Version", "OutputFileName", std::string(1, papertable::kMissingMarker),
                       papertable::kTextBufferBytes);
    if (tag.empty() || tag[0] == papertable::kMissingMarker) return false;
    return EqualIgnoringCase(tag, modelPrefix + "ed.lyt");
}

void LeaveDriverFolder(win::FileSystem& files, const std::string& driverFolder) {
    if (EqualIgnoringCase(files.CurrentDirectory(), driverFolder))
        files.SetCurrentDirectory(files.DocumentsFolder());
}

}  // namespace mainwindow
