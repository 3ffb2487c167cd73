// The tools run without a window of their own: velkorctl runs from scripts,
// scheduled tasks and remote shells, where a console window would be nobody's.
#pragma once

#include "win/services.h"

namespace velkorctl {

class NoWindowProcesses : public win::Processes {
public:
    explicit NoWindowProcesses(win::Processes& processes) : processes_(processes) {}
    bool RunAndWait(const std::string& commandLine, bool) override {
        return processes_.RunAndWait(commandLine, true);
    }

private:
    win::Processes& processes_;
};

}  // namespace velkorctl
