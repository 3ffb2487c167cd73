// kvx500cv.exe: turns a compiled table into the printer's paper data.
//   kvx500cv.exe <table.lyt> <paperdata.bin> <library.dll> <series> <model>
// The table is read through the paper-table library, taken by its bare name from
// this program's own folder and from nowhere else. <series> and <model> are the
// device codes in one of the forms of family/tool_args.h; they must match the
// table's. A log goes beside the paper data, at <paperdata.bin>.log: on failure
// "error: " lines, the first being the reason shown to the user; on success a short
// summary. On any error no paper data is left at <paperdata.bin> and the exit code
// is not 0.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "family/file_beside.h"
#include "family/file_io_win32.h"
#include "family/paper_data.h"
#include "family/tool_args.h"
#include "lyt_api.h"

namespace {

enum ExitCode {
    kOk = 0,
    kUsage = 1,
    kLibrary = 2,
    kTable = 3,
    kCodes = 4,
    kPapers = 5,
    kWrite = 6
};

// The log beside the paper data, written whole when the converter ends.
class Log {
public:
    void SetPath(std::string path) { path_ = std::move(path); }
    void Line(const std::string& text) { lines_ += text + "\r\n"; }
    // Without a log (no paper-data path) the reason goes to the standard error output.
    // Nothing else is printed: under Wine, output of the converter started without a
    // window by velkor made velkor's main window miss the key presses that followed.
    void Error(const std::string& reason) {
        Line("error: " + reason);
        if (path_.empty()) std::fprintf(stderr, "kvx500cv: %s\n", reason.c_str());
    }
    ~Log() {
        if (!path_.empty()) family::WriteFileAtomic(path_, lines_);
    }

private:
    std::string path_;
    std::string lines_;
};

struct Table {
    DeviceInfoRecord device{};
    std::vector<PaperInfoRecord> papers;
};

std::string Hex(unsigned char code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

// The library beside this program, by full path: never through the search path
// or the current directory.
HMODULE LoadPaperTableLibrary(const std::string& name, std::string& error) {
    if (!family::IsBareName(name)) {
        error = "the paper-table library must be named without a folder: " + name;
        return nullptr;
    }
    const std::string folder = family::ModuleFolder(nullptr);
    const auto path = family::FileBeside(folder, name);
    if (!path) {
        error = "cannot determine the converter's own folder to load " + name + " from";
        return nullptr;
    }
    constexpr DWORD kBesideOnly = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
    HMODULE module = LoadLibraryExA(path->c_str(), nullptr, kBesideOnly);
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system without the search flags: the full path alone decides.
        module = LoadLibraryExA(path->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!module) {
        error = "cannot load " + name + " from " + folder + " (system error " +
                std::to_string(GetLastError()) + ")";
    }
    return module;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadTable(const LytFunctionTable& lyt, const std::string& library, const std::string& path,
               Table& table, std::string& error) {
    LytHandle handle = nullptr;
    if (!lyt.Open(&handle, path.c_str())) {
        error = "cannot open table " + path +
                (Exists(path) ? ": " + library + " finds no sound paper table in it"
                              : ": no such file");
        return false;
    }
    uint32_t needed = 0;
    uint32_t count = 0;
    bool ok = lyt.GetDeviceInfo(handle, kLytInfoLevel, &table.device, sizeof table.device, &needed);
    lyt.GetPaperList(handle, kLytInfoLevel, nullptr, 0, &needed, &count);
    if (ok && count > 0) {
        table.papers.resize(count);
        ok = needed == count * sizeof(PaperInfoRecord) &&
             lyt.GetPaperList(handle, kLytInfoLevel, table.papers.data(), needed, &needed, &count);
    }
    lyt.Close(handle);
    if (!ok) error = library + " did not deliver the records of table " + path;
    return ok;
}

int Fail(Log& log, const std::string& output, const std::string& reason, ExitCode code) {
    log.Error(reason);
    unsigned long error = 0;
    if (!output.empty() && !family::RemoveFile(output, &error)) {
        log.Error("cannot remove the older paper data " + output + " (system error " +
                  std::to_string(error) + ")");
    }
    log.Line("no paper data written");
    return code;
}

}  // namespace

int main() {
    Log log;
    family::ConverterArgs args;
    std::string error;
    const bool parsed =
        family::ParseConverterArgs(family::SkipProgramName(GetCommandLineA()), args, &error);
    if (!args.paperData.empty()) log.SetPath(args.paperData + ".log");
    if (!parsed) return Fail(log, args.paperData, error, kUsage);

    HMODULE library = LoadPaperTableLibrary(args.library, error);
    if (!library) return Fail(log, args.paperData, error, kLibrary);
    // FARPROC to the entry's own type, through the generic function pointer type.
    const auto initialize = reinterpret_cast<LytInitializeFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "LYT_InitializeA")));
    LytFunctionTable lyt{};
    lyt.size = kLytFunctionTableSize;
    if (!initialize || !initialize(&lyt)) {
        FreeLibrary(library);
        return Fail(log, args.paperData,
                    args.library + " is not a paper-table library (LYT_InitializeA " +
                        (initialize ? "refused the function table)" : "missing)"),
                    kLibrary);
    }
    Table table;
    const bool read = ReadTable(lyt, args.library, args.table, table, error);
    FreeLibrary(library);
    if (!read) return Fail(log, args.paperData, error, kTable);

    if (table.device.bySeriesCode != args.seriesCode ||
        table.device.byModelCode != args.modelCode) {
        return Fail(log, args.paperData,
                    "the table's codes " + Hex(table.device.bySeriesCode) + "/" +
                        Hex(table.device.byModelCode) + " do not match the arguments " +
                        Hex(args.seriesCode) + "/" + Hex(args.modelCode) + " (series/model)",
                    kCodes);
    }
    const auto bytes = family::BuildPaperData(table.device, table.papers, &error);
    if (!bytes) return Fail(log, args.paperData, error, kPapers);
    if (!family::WriteFileAtomic(args.paperData, *bytes)) {
        return Fail(log, args.paperData, "cannot write " + args.paperData, kWrite);
    }
    log.Line("converted " + std::to_string(table.papers.size()) + " papers of " + args.table +
             " into " + args.paperData + " (series " + Hex(args.seriesCode) + ", model " +
             Hex(args.modelCode) + ")");
    return kOk;
}
