// Building a paper table with the family's tools and installing it: the source text
// is compiled by kvx500pc.exe into a table, the table converted by kvx500cv.exe into
// the printer's paper data, and the three files copied into the driver folder.
//
// Nothing here talks to the user: every step returns a result whose failure carries
// one line of reason (taken from the tools' logs where a tool failed), and the caller
// shows its own message with that line.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "win/services.h"

namespace paperset {

// The names of one build, all formed anew from the model prefix and the codes.
struct BuildFiles {
    std::string tempFolder;     // with a trailing separator
    std::string tempSource;     // <temp><prefix>ed.txt
    std::string tempTable;      // <temp><prefix>ed.lyt
    std::string paperDataName;  // lty<model code's last two><series code's last two>.bin
    std::string tempPaperData;  // <temp><paperDataName>
    std::string compilerLog;    // <temp>log.txt
    std::string converterLog;   // <temp><paperDataName>.log
};

// What every build needs from its caller.
struct BuildContext {
    win::FileSystem& files;
    win::Processes& processes;
    std::string modelPrefix;
    std::string seriesCode;  // bySeriesCode as held, e.g. "0x41"
    std::string modelCode;   // byModelCode as held
};

// Puts the source text at the given temporary path; false when it could not.
using SourceStep = std::function<bool(const std::string& tempSourcePath)>;

// Success, or a failure with one line saying why.
struct Outcome {
    std::string failure;  // empty on success
    bool Ok() const { return failure.empty(); }
    static Outcome Failed(std::string reason) { return Outcome{std::move(reason)}; }
};

struct BuildResult {
    BuildFiles files;
    Outcome outcome;  // fails unless the source, the table and the paper data all came
                      // from this build
};

// True when the compiler and the converter lie in the program folder. A program
// folder that cannot be found counts as missing tools.
bool ToolsPresent(win::FileSystem& files);

// The folder the driver reads its paper files from: the printer-driver directory of
// the local machine with "\3" appended; empty when the directory cannot be obtained.
std::string DriverFolder(win::Spooler& spooler);

// Removes the read-only attribute of an existing file; true when there is no file.
bool ClearReadOnly(win::FileSystem& files, const std::string& path);

// Removes what an earlier build left in the temporary folder, puts the source there,
// then runs the compiler and the converter. The files that exist afterwards were made
// by this build; a step that left no file ends the build with the reason it gives.
BuildResult BuildPaperData(const BuildContext& context, const SourceStep& sourceStep,
                           bool clearReadOnly);

// The three files of a paper set in a folder, in the order they are installed.
struct SetPaths {
    std::array<std::string, 3> paths;  // source text, compiled table, paper data
};
SetPaths DestinationPaths(const std::string& folder, const std::string& modelPrefix,
                          const BuildFiles& files);

// The bytes of a set's three files; nullopt for a file that does not exist.
struct SetBytes {
    std::array<std::optional<std::string>, 3> bytes;
};

struct InstallResult {
    Outcome outcome;
    SetBytes previous;  // what the destination held before
};

// The three files at `paths` as they are now; nullopt when a file exists but cannot
// be read (nothing may be replaced then, for it could not be put back).
std::optional<SetBytes> ReadSet(win::FileSystem& files, const SetPaths& paths);

// Copies source text, compiled table and paper data of a successful build over the
// files at `destination`, all or nothing: when a copy fails, the files already
// replaced get their previous bytes back (or are removed when there were none), so
// the folder holds either the whole previous set or the whole new one. Read-only
// destinations are made writable first unless the caller (export) leaves the
// destination folder as it is.
InstallResult InstallPaperData(win::FileSystem& files, const BuildFiles& built,
                               const SetPaths& destination, bool clearDestinationReadOnly);

// Puts `set` back at `paths`: each file written whole, a missing one removed.
Outcome WriteSet(win::FileSystem& files, const SetPaths& paths, const SetBytes& set);

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
// The first "error: " line of a tool's log without that prefix; nullopt without one.
std::optional<std::string> FirstLogError(const std::string& log);

// Destination names in a folder (no trailing separator).
std::string DestinationSource(const std::string& folder, const std::string& modelPrefix);
std::string DestinationTable(const std::string& folder, const std::string& modelPrefix);
std::string DestinationPaperData(const std::string& folder, const BuildFiles& files);

}  // namespace paperset
