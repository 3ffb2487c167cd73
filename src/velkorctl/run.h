// A whole run of velkorctl: the arguments parsed, the model opened, the command run.
#pragma once

#include <string>
#include <vector>

#include "velkorctl/environment.h"

namespace velkorctl {

// `arguments` are those after the program name; gives the exit code.
int Run(const std::vector<std::string>& arguments, Environment& environment);

}  // namespace velkorctl
