// kvx500pc.exe: compiles a paper-table source text into a compiled table.
//   kvx500pc.exe [/S] [/L=<log>] <source.txt> <table.lyt>
// /S: no output on the console. /L=: a log: what was compiled, an "error: " line for
// each reason the source gives no usable table (the first one is the reason shown
// to the user), a "warning: " line for each value cut or left out, and the outcome.
// On any error no table is left at <table.lyt> (an older one there is removed, so
// that it cannot be taken for the result) and the exit code is not 0.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "family/file_io_win32.h"
#include "family/source_compiler.h"
#include "family/source_reader.h"
#include "family/table_file.h"
#include "family/tool_args.h"

namespace {

enum ExitCode { kOk = 0, kUsage = 1, kUnreadable = 2, kInvalid = 3, kWriteFailed = 4 };

class Log {
public:
    Log(std::string path, bool silent) : path_(std::move(path)), silent_(silent) {}
    void Line(const std::string& text) {
        lines_ += text + "\r\n";
        if (!silent_) std::fprintf(stderr, "%s\n", text.c_str());
    }
    ~Log() {
        if (!path_.empty()) family::WriteFileAtomic(path_, lines_);
    }

private:
    std::string path_;
    bool silent_;
    std::string lines_;
};

int Fail(Log& log, const std::string& table, ExitCode code) {
    unsigned long error = 0;
    if (!table.empty() && !family::RemoveFile(table, &error)) {
        log.Line("error: cannot remove the older table " + table + " (system error " +
                 std::to_string(error) + ")");
    }
    log.Line("no table written");
    return code;
}

}  // namespace

int main() {
    std::string error;
    const auto args = family::ParseCompilerArgs(family::SkipProgramName(GetCommandLineA()), &error);
    if (!args) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kUsage;
    }
    Log log(args->logPath, args->silent);
    log.Line("compiling " + args->source + " into " + args->table);

    const auto text = family::ReadWholeFile(args->source);
    if (!text) {
        log.Line("error: cannot read " + args->source);
        return Fail(log, args->table, kUnreadable);
    }
    const auto result = family::CompileSource(family::SourceReader::Parse(*text));
    for (const auto& line : result.errors) log.Line("error: " + line);
    for (const auto& line : result.warnings) log.Line("warning: " + line);
    if (!result.table) return Fail(log, args->table, kInvalid);

    const std::string bytes = family::SerializeTable(*result.table);
    if (!family::ParseTable(bytes, &error)) {
        log.Line("error: " + error);
        return Fail(log, args->table, kInvalid);
    }
    if (!family::WriteFileAtomic(args->table, bytes)) {
        log.Line("error: cannot write " + args->table);
        return Fail(log, args->table, kWriteFailed);
    }
    log.Line(std::to_string(result.table->papers.size()) + " papers compiled");
    return kOk;
}
