#include "paperset/pipeline.h"

#include <cstdlib>

#include "papertable/model_table.h"
#include "win/program_folder.h"

namespace paperset {
namespace {

std::string LastTwo(const std::string& text) {
    return text.size() <= 2 ? text : text.substr(text.size() - 2);
}

// A path goes on a tool's command line as it is, or in quotes when it holds a blank,
// so that a folder such as "C:\Program Files" cannot split it.
std::string Quoted(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// The program path is always quoted: unquoted, "C:\Program Files\..." could start
// "C:\Program.exe".
std::string ProgramPath(const std::string& programFolder, const char* tool) {
    return "\"" + programFolder + "\\" + std::string(papertable::kFamilyPrefix) + tool + "\"";
}

void ClearIf(bool clear, win::FileSystem& files, const std::string& path) {
    if (clear) ClearReadOnly(files, path);
}

// Removes a file an earlier build left; true when none is left.
bool RemoveLeftover(win::FileSystem& files, const std::string& path, bool clearReadOnly) {
    if (!files.FileExists(path)) return true;
    ClearIf(clearReadOnly, files, path);
    return files.DeleteFile(path) || !files.FileExists(path);
}

// The reason a tool left no output: its first logged error, else `fallback`.
std::string ToolFailure(win::FileSystem& files, const std::string& log, std::string fallback) {
    const auto text = files.ReadFile(log);
    if (text) {
        if (auto error = FirstLogError(*text)) return *error;
    }
    return fallback;
}

Outcome RunTool(const BuildContext& context, const std::string& commandLine, bool noWindow,
                const char* tool) {
    if (!context.processes.RunAndWait(commandLine, noWindow))
        return Outcome::Failed("cannot start " + std::string(papertable::kFamilyPrefix) + tool);
    return {};
}

}  // namespace

std::string CodeCharacter(const std::string& code) {
    const unsigned long value = std::strtoul(code.c_str(), nullptr, 16);
    const char low = static_cast<char>(value & 0xFF);
    return low == 0 ? std::string() : std::string(1, low);
}

std::string CodeArgument(const std::string& code) {
    const std::string character = CodeCharacter(code);
    if (character.empty()) return character;
    const auto byte = static_cast<unsigned char>(character[0]);
    if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n') return character;
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

BuildFiles MakeBuildFiles(const std::string& tempFolder, const std::string& modelPrefix,
                          const std::string& seriesCode, const std::string& modelCode) {
    BuildFiles names;
    names.tempFolder = tempFolder;
    names.tempSource = tempFolder + modelPrefix + "ed.txt";
    names.tempTable = tempFolder + modelPrefix + "ed.lyt";
    names.paperDataName = "lty" + LastTwo(modelCode) + LastTwo(seriesCode) + ".bin";
    names.tempPaperData = tempFolder + names.paperDataName;
    names.compilerLog = tempFolder + "log.txt";
    names.converterLog = names.tempPaperData + ".log";
    return names;
}

std::string CompilerCommandLine(const std::string& programFolder, const BuildFiles& names) {
    return ProgramPath(programFolder, "pc.exe") + " /S /L=" + Quoted(names.compilerLog) + " " +
           Quoted(names.tempSource) + " " + Quoted(names.tempTable);
}

std::string ConverterCommandLine(const std::string& programFolder, const BuildFiles& names,
                                 const std::string& seriesCode, const std::string& modelCode) {
    return ProgramPath(programFolder, "cv.exe") + " " + Quoted(names.tempTable) + " " +
           Quoted(names.tempPaperData) + " " + std::string(papertable::kFamilyPrefix) + "i3.dll " +
           CodeArgument(seriesCode) + " " + CodeArgument(modelCode);
}

std::optional<std::string> FirstLogError(const std::string& log) {
    static constexpr std::string_view kError = "error: ";
    size_t begin = 0;
    while (begin < log.size()) {
        size_t end = log.find_first_of("\r\n", begin);
        if (end == std::string::npos) end = log.size();
        const std::string_view line(log.data() + begin, end - begin);
        if (line.substr(0, kError.size()) == kError) return std::string(line.substr(kError.size()));
        begin = end + 1;
    }
    return std::nullopt;
}

bool ToolsPresent(win::FileSystem& files) {
    const auto folder = win::ProgramFolder(files);
    if (!folder) return false;
    const std::string stem = *folder + "\\" + std::string(papertable::kFamilyPrefix);
    return files.FileExists(stem + "cv.exe") && files.FileExists(stem + "pc.exe");
}

std::string DriverFolder(win::Spooler& spooler) {
    const auto directory = spooler.DriverDirectory();
    return directory ? *directory + "\\3" : std::string();
}

bool ClearReadOnly(win::FileSystem& files, const std::string& path) {
    if (!files.FileExists(path)) return true;
    const auto attributes = files.Attributes(path);
    if (!attributes) return false;
    return files.SetAttributes(path, *attributes & ~win::kAttributeReadOnly);
}

BuildResult BuildPaperData(const BuildContext& context, const SourceStep& sourceStep,
                           bool clearReadOnly) {
    auto& files = context.files;
    BuildResult result;
    const BuildFiles& names = result.files = MakeBuildFiles(files.TempFolder(), context.modelPrefix,
                                                            context.seriesCode, context.modelCode);
    auto fail = [&](std::string reason) {
        result.outcome = Outcome::Failed(std::move(reason));
        return result;
    };
    // Whatever an earlier build left could be taken for this build's output.
    for (const auto* leftover : {&names.tempSource, &names.tempTable, &names.tempPaperData,
                                 &names.compilerLog, &names.converterLog}) {
        if (!RemoveLeftover(files, *leftover, clearReadOnly))
            return fail("cannot remove the earlier " + *leftover);
    }
    if (!sourceStep(names.tempSource) || !files.FileExists(names.tempSource))
        return fail("cannot write " + names.tempSource);

    const auto programFolder = win::ProgramFolder(files);
    if (!programFolder) return fail("cannot determine the program folder");
    auto outcome = RunTool(context, CompilerCommandLine(*programFolder, names), false, "pc.exe");
    if (!outcome.Ok()) return fail(outcome.failure);
    if (!files.FileExists(names.tempTable))
        return fail(ToolFailure(files, names.compilerLog, "kvx500pc.exe wrote no table"));

    outcome = RunTool(
        context, ConverterCommandLine(*programFolder, names, context.seriesCode, context.modelCode),
        true, "cv.exe");
    if (!outcome.Ok()) return fail(outcome.failure);
    if (!files.FileExists(names.tempPaperData))
        return fail(ToolFailure(files, names.converterLog, "kvx500cv.exe wrote no paper data"));
    return result;
}

std::string DestinationSource(const std::string& folder, const std::string& modelPrefix) {
    return folder + "\\" + modelPrefix + "ed.txt";
}

std::string DestinationTable(const std::string& folder, const std::string& modelPrefix) {
    return folder + "\\" + modelPrefix + "ed.lyt";
}

std::string DestinationPaperData(const std::string& folder, const BuildFiles& names) {
    return folder + "\\" + names.paperDataName;
}

SetPaths DestinationPaths(const std::string& folder, const std::string& modelPrefix,
                          const BuildFiles& names) {
    return SetPaths{{DestinationSource(folder, modelPrefix), DestinationTable(folder, modelPrefix),
                     DestinationPaperData(folder, names)}};
}

std::optional<SetBytes> ReadSet(win::FileSystem& files, const SetPaths& paths) {
    SetBytes set;
    for (size_t i = 0; i < paths.paths.size(); ++i) {
        if (!files.FileExists(paths.paths[i])) continue;
        set.bytes[i] = files.ReadFile(paths.paths[i]);
        if (!set.bytes[i]) return std::nullopt;
    }
    return set;
}

namespace {

// Gives `path` the bytes it had, or removes it when it had none.
bool PutBack(win::FileSystem& files, const std::string& path,
             const std::optional<std::string>& bytes) {
    ClearReadOnly(files, path);
    if (bytes) return files.WriteFileAtomic(path, *bytes);
    return !files.FileExists(path) || files.DeleteFile(path);
}

}  // namespace

Outcome WriteSet(win::FileSystem& files, const SetPaths& paths, const SetBytes& set) {
    Outcome outcome;
    for (size_t i = 0; i < paths.paths.size(); ++i) {
        if (!PutBack(files, paths.paths[i], set.bytes[i]) && outcome.Ok())
            outcome = Outcome::Failed("cannot replace " + paths.paths[i]);
    }
    return outcome;
}

InstallResult InstallPaperData(win::FileSystem& files, const BuildFiles& built,
                               const SetPaths& destination, bool clearDestinationReadOnly) {
    InstallResult result;
    const std::array<std::string, 3> sources = {built.tempSource, built.tempTable,
                                                built.tempPaperData};
    for (const auto& source : sources) {
        if (!files.FileExists(source)) {
            result.outcome = Outcome::Failed("no " + source + " from this build");
            return result;
        }
    }
    const auto previous = ReadSet(files, destination);
    if (!previous) {
        result.outcome = Outcome::Failed("cannot read the installed files in order to keep them");
        return result;
    }
    result.previous = *previous;
    for (const auto& path : destination.paths) ClearIf(clearDestinationReadOnly, files, path);
    for (size_t i = 0; i < sources.size(); ++i) {
        if (files.CopyFile(sources[i], destination.paths[i])) continue;
        result.outcome = Outcome::Failed("cannot replace " + destination.paths[i]);
        // Put back what this install replaced; the later files were never touched.
        for (size_t j = 0; j < i; ++j) {
            if (!PutBack(files, destination.paths[j], previous->bytes[j]))
                result.outcome.failure += "; " + destination.paths[j] + " could not be put back";
        }
        return result;
    }
    return result;
}

}  // namespace paperset
