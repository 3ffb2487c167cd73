// The exit codes of velkorctl, as its help and docs/velkorctl.md list them.
#pragma once

namespace velkorctl {

enum ExitCode : int {
    kExitDone = 0,
    kExitUsage = 2,     // the command line is not one velkorctl takes
    kExitBadInput = 3,  // queue, model, file, value or name that cannot be used
    kExitFailed = 4,    // a build or install failed, or files the program needs are missing
    kExitBusy = 5,      // velkor or another velkorctl holds the model
};

}  // namespace velkorctl
