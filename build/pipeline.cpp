#include "build/pipeline.h"

#include <cstdlib>

#include "win/program_folder.h"

namespace build {
namespace {

constexpr const char* kFamilyPrefix = "kvx500";

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
    return "\"" + programFolder + "\\" + kFamilyPrefix + tool + "\"";
}

void ClearIf(bool clear, win::FileSystem& files, const std::string& path) {
    if (clear) ClearReadOnly(files, path);
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
    return names;
}

std::string CompilerCommandLine(const std::string& programFolder, const BuildFiles& names) {
    return ProgramPath(programFolder, "pc.exe") + " /S /L=" + Quoted(names.tempFolder + "log.txt") +
           " " + Quoted(names.tempSource) + " " + Quoted(names.tempTable);
}

std::string ConverterCommandLine(const std::string& programFolder, const BuildFiles& names,
                                 const std::string& seriesCode, const std::string& modelCode) {
    return ProgramPath(programFolder, "cv.exe") + " " + Quoted(names.tempTable) + " " +
           Quoted(names.tempPaperData) + " " + kFamilyPrefix + "i3.dll " +
           CodeArgument(seriesCode) + " " + CodeArgument(modelCode);
}

bool ClearReadOnly(win::FileSystem& files, const std::string& path) {
    if (!files.FileExists(path)) return true;
    const auto attributes = files.Attributes(path);
    if (!attributes) return false;
    return files.SetAttributes(path, *attributes & ~win::kAttributeReadOnly);
}

BuildFiles BuildPaperData(const BuildContext& context, const SourceStep& sourceStep,
                          bool clearReadOnly) {
    const BuildFiles names = MakeBuildFiles(context.files.TempFolder(), context.modelPrefix,
                                            context.seriesCode, context.modelCode);
    ClearIf(clearReadOnly, context.files, names.tempSource);
    sourceStep(names.tempSource);

    const std::string programFolder = win::ProgramFolder(context.files).value_or(std::string());
    ClearIf(clearReadOnly, context.files, names.tempTable);
    context.processes.RunAndWait(CompilerCommandLine(programFolder, names), false, context.window);

    ClearIf(clearReadOnly, context.files, names.tempPaperData);
    context.processes.RunAndWait(
        ConverterCommandLine(programFolder, names, context.seriesCode, context.modelCode), true,
        context.window);
    return names;
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

bool InstallPaperData(const BuildContext& context, const BuildFiles& names,
                      const std::string& destinationFolder, int failureMessageId,
                      bool clearDestinationReadOnly) {
    const std::string copies[3][2] = {
        {names.tempSource, DestinationSource(destinationFolder, context.modelPrefix)},
        {names.tempTable, DestinationTable(destinationFolder, context.modelPrefix)},
        {names.tempPaperData, DestinationPaperData(destinationFolder, names)},
    };
    for (const auto& copy : copies) ClearIf(clearDestinationReadOnly, context.files, copy[1]);
    for (const auto& copy : copies) {
        if (!context.files.CopyFile(copy[0], copy[1])) {
            context.ui.ShowMessage(failureMessageId, win::MessageKind::Error);
            return false;
        }
    }
    return true;
}

}  // namespace build
