// The files the main window needs before it can open: the family's tools beside
// the program and the model's two paper-table sources in the driver folder.
#pragma once

#include <optional>
#include <string>

#include "win/services.h"

namespace mainwindow {

struct SourceFiles {
    std::string builtIn;  // <driverFolder>\<prefix>ad.txt
    std::string user;     // <driverFolder>\<prefix>ed.txt
    bool operator==(const SourceFiles&) const = default;
};

SourceFiles SourceFilesFor(const std::string& driverFolder, const std::string& modelPrefix);

// True when the converter and the compiler lie in the program folder. A program
// folder that cannot be found counts as missing tools.
bool ToolsPresent(win::FileSystem& files);

// The two sources when both exist; nullopt when either is missing.
std::optional<SourceFiles> FindSources(win::FileSystem& files, const std::string& driverFolder,
                                       const std::string& modelPrefix);

}  // namespace mainwindow
