// Building a paper table with the family's tools and installing it: the source text
// is compiled by kvx500pc.exe into a table, the table converted by kvx500cv.exe into
// the printer's paper data, and the three files copied into the driver folder.
#pragma once

#include <functional>
#include <string>

#include "win/dialog_window.h"
#include "win/services.h"
#include "win/ui.h"

namespace build {

// The names of one build, all formed anew from the model prefix and the codes.
struct BuildFiles {
    std::string tempFolder;     // with a trailing separator
    std::string tempSource;     // <temp><prefix>ed.txt
    std::string tempTable;      // <temp><prefix>ed.lyt
    std::string paperDataName;  // lty<model code's last two><series code's last two>.bin
    std::string tempPaperData;  // <temp><paperDataName>
};

// What every build needs from its caller.
struct BuildContext {
    win::FileSystem& files;
    win::Processes& processes;
    win::Ui& ui;
    win::DialogWindow* window;  // repainted while a tool runs; may be null
    std::string modelPrefix;
    std::string seriesCode;  // bySeriesCode as held, e.g. "0x41"
    std::string modelCode;   // byModelCode as held
};

// Puts the source text at the given temporary path.
using SourceStep = std::function<void(const std::string& tempSourcePath)>;

// Removes the read-only attribute of an existing file; true when there is no file.
bool ClearReadOnly(win::FileSystem& files, const std::string& path);

// Runs the compiler and then the converter on the source the step produced. Never
// reports failure: callers judge the build by the files it leaves.
BuildFiles BuildPaperData(const BuildContext& context, const SourceStep& sourceStep,
                          bool clearReadOnly);

// Copies source text, compiled table and paper data into `destinationFolder`, in
// that order, stopping at the first failure, which shows `failureMessageId` as an
// error. Read-only destinations are made writable first unless the caller (export)
// leaves the destination folder as it is.
bool InstallPaperData(const BuildContext& context, const BuildFiles& files,
                      const std::string& destinationFolder, int failureMessageId,
                      bool clearDestinationReadOnly = true);

// The parts of a build, exposed for the callers that need one of them and for tests.
BuildFiles MakeBuildFiles(const std::string& tempFolder, const std::string& modelPrefix,
                          const std::string& seriesCode, const std::string& modelCode);
// The low byte of a hexadecimal code text as a one-character string; empty for 0.
std::string CodeCharacter(const std::string& code);
// The code as the converter receives it: its character as it is, or, for a blank,
// tab, CR or LF that a command line would lose, "0x" and two hexadecimal digits;
// empty for 0. The converter tells the two forms apart by position.
std::string CodeArgument(const std::string& code);
std::string CompilerCommandLine(const std::string& programFolder, const BuildFiles& names);
std::string ConverterCommandLine(const std::string& programFolder, const BuildFiles& names,
                                 const std::string& seriesCode, const std::string& modelCode);

// Destination names in a folder (no trailing separator).
std::string DestinationSource(const std::string& folder, const std::string& modelPrefix);
std::string DestinationTable(const std::string& folder, const std::string& modelPrefix);
std::string DestinationPaperData(const std::string& folder, const BuildFiles& files);

}  // namespace build
