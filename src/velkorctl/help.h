// The texts of --help: the general one and each command's, with the exit codes.
#pragma once

#include <optional>
#include <string>

#include "velkorctl/arguments.h"

namespace velkorctl {

std::string HelpText(std::optional<Command> command);

}  // namespace velkorctl
