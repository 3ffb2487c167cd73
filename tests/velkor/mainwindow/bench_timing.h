// What the delete benchmarks share: the clock, the median of a run's rounds, the
// floor of each comparison (two bare starts of do_nothing.exe, built beside them) and
// the user papers that fill their tables.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "papertable/table_edits.h"
#include "win/codepage.h"
#include "win/win32_api.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Starts a program and waits for its end, as the pipeline runs a tool.
inline void StartAndWait(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// The quoted path of do_nothing.exe beside the running program.
inline std::string DoNothingCommand() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string nothing = self;
    nothing.replace(nothing.find_last_of('\\') + 1, std::string::npos, "do_nothing.exe");
    return "\"" + nothing + "\"";
}

// Two bare starts of do_nothing.exe: the floor a build with two tool runs is set against.
inline double TwoBareStarts(const std::string& nothing) {
    const auto start = Clock::now();
    StartAndWait(nothing);
    StartAndWait(nothing);
    return Milliseconds(Clock::now() - start);
}

// A user paper in slot `index` of the user papers: `from` with `name` and the slot's
// paper ID.
inline papertable::PaperRecord UserCopy(papertable::PaperRecord from, int index,
                                        const std::string& name) {
    win::AnsiToWide(name, from.szPaperName_mm);
    win::AnsiToWide(name, from.szPaperName_inch);
    from.builtIn = false;
    from.nPaperSize = static_cast<int16_t>(papertable::kFirstUserPaperId + index);
    from.wPafMediaID = std::to_string(from.nPaperSize);
    return from;
}

}  // namespace bench
