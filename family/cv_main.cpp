// kvx500cv.exe: turns a compiled table into the printer's paper data.
//   kvx500cv.exe <table.lyt> <paperdata.bin> <library.dll> <series> <model>
// The table is read through the paper-table library; a bare library name is looked
// for beside this program first. <series> and <model> are the device codes as one
// character each, an empty argument standing for 0; they must match the table's.
// On any error no paper data is left at <paperdata.bin> and the exit code is not 0.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "family/file_io_win32.h"
#include "family/lyt_api.h"
#include "family/paper_data.h"
#include "family/tool_args.h"

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

struct Table {
    DeviceInfoRecord device{};
    std::vector<PaperInfoRecord> papers;
};

HMODULE LoadPaperTableLibrary(const std::string& name) {
    if (std::strpbrk(name.c_str(), "\\/:") == nullptr) {
        const std::string beside = family::ModuleFolder(nullptr) + "\\" + name;
        if (HMODULE module = LoadLibraryA(beside.c_str())) return module;
    }
    return LoadLibraryA(name.c_str());
}

bool ReadTable(const LytFunctionTable& lyt, const std::string& path, Table& table) {
    LytHandle handle = nullptr;
    if (!lyt.Open(&handle, path.c_str())) return false;
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
    return ok;
}

int Fail(const std::string& output, const std::string& message, ExitCode code) {
    DeleteFileA(output.c_str());
    std::fprintf(stderr, "kvx500cv: %s\n", message.c_str());
    return code;
}

}  // namespace

int main() {
    std::string error;
    const auto args =
        family::ParseConverterArgs(family::SkipProgramName(GetCommandLineA()), &error);
    if (!args) {
        std::fprintf(stderr, "kvx500cv: %s\n", error.c_str());
        return kUsage;
    }
    HMODULE library = LoadPaperTableLibrary(args->library);
    if (!library) return Fail(args->paperData, "cannot load " + args->library, kLibrary);
    // FARPROC to the entry's own type, through the generic function pointer type.
    const auto initialize = reinterpret_cast<LytInitializeFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "LYT_InitializeA")));
    LytFunctionTable lyt{};
    lyt.size = kLytFunctionTableSize;
    if (!initialize || !initialize(&lyt)) {
        FreeLibrary(library);
        return Fail(args->paperData, args->library + " is not a paper-table library", kLibrary);
    }
    Table table;
    const bool read = ReadTable(lyt, args->table, table);
    FreeLibrary(library);
    if (!read) return Fail(args->paperData, "cannot read the table " + args->table, kTable);

    if (table.device.bySeriesCode != args->seriesCode ||
        table.device.byModelCode != args->modelCode) {
        return Fail(args->paperData, "the codes do not match the table's device", kCodes);
    }
    const auto bytes = family::BuildPaperData(table.device, table.papers, &error);
    if (!bytes) return Fail(args->paperData, error, kPapers);
    if (!family::WriteFileAtomic(args->paperData, *bytes)) {
        return Fail(args->paperData, "cannot write " + args->paperData, kWrite);
    }
    return kOk;
}
