#include "mainwindow/source_check.h"

#include "app/model_table.h"
#include "win/program_folder.h"

namespace mainwindow {

SourceFiles SourceFilesFor(const std::string& driverFolder, const std::string& modelPrefix) {
    const std::string stem = driverFolder + "\\" + modelPrefix;
    return {stem + "ad.txt", stem + "ed.txt"};
}

bool ToolsPresent(win::FileSystem& files) {
    const auto folder = win::ProgramFolder(files);
    if (!folder) return false;
    const std::string stem = *folder + "\\" + std::string(app::kFamilyPrefix);
    return files.FileExists(stem + "cv.exe") && files.FileExists(stem + "pc.exe");
}

std::optional<SourceFiles> FindSources(win::FileSystem& files, const std::string& driverFolder,
                                       const std::string& modelPrefix) {
    SourceFiles sources = SourceFilesFor(driverFolder, modelPrefix);
    if (!files.FileExists(sources.builtIn) || !files.FileExists(sources.user)) return std::nullopt;
    return sources;
}

}  // namespace mainwindow
