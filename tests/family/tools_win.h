// Running the family's tools from a Windows test: build-tree paths made Windows paths
// and child processes whose exit code (and, if asked, output) is collected.
#pragma once

#include <algorithm>
#include <string>

#include "win/win32_api.h"

namespace family_test {

// Unix paths of the build and source trees are seen by Wine on drive Z:.
inline std::string WinPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

inline std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// Runs `commandLine` to its end; its standard output goes to `outputFile` when one is
// named. Returns the exit code, or 0xDEAD when it could not be started.
inline DWORD RunTool(std::string commandLine, const std::string& outputFile = {}) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
        if (output == INVALID_HANDLE_VALUE) return 0xDEAD;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr,
                                        output != INVALID_HANDLE_VALUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    if (!started) return 0xDEAD;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0xDEAD;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The first line of a tool's log that starts with "error: ", the reason the build
// pipeline shows; empty when there is none.
inline std::string FirstError(const std::string& log) {
    for (size_t at = 0; at < log.size();) {
        const size_t end = std::min(log.find("\r\n", at), log.size());
        const std::string line = log.substr(at, end - at);
        if (line.rfind("error: ", 0) == 0) return line;
        at = end + 2;
    }
    return {};
}

// Compiles a paper-table source with kvx500pc.exe; true when it reported success
// and the table is there.
inline bool CompileTable(const std::string& compiler, const std::string& source,
                         const std::string& table) {
    return RunTool(Quoted(compiler) + " /S " + Quoted(source) + " " + Quoted(table)) == 0 &&
           GetFileAttributesA(table.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace family_test
