// Processes fake: records every command line and lets a test stand in for the tool
// (for instance by creating its output file in a fake file system).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class FakeProcesses : public win::Processes {
public:
    struct Run {
        std::string commandLine;
        bool noWindow = false;
    };
    std::vector<Run> runs;
    std::function<void(const std::string& commandLine)> onRun;
    // Command lines containing this text cannot be started.
    std::string failStart;

    bool RunAndWait(const std::string& commandLine, bool noWindow) override {
        runs.push_back({commandLine, noWindow});
        if (!failStart.empty() && commandLine.find(failStart) != std::string::npos) return false;
        if (onRun) onRun(commandLine);
        return true;
    }
};

}  // namespace fakes
