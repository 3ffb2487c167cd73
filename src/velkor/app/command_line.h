// The command line of velkor: printer name and optional unit switch.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// Splits the text that follows the program name into arguments. An argument that
// starts with a double quote runs to the next double quote; any other runs to the
// next space. Reading goes on one past the character that ended an argument, so a
// quoted argument directly after an unquoted one loses its quotes, while one after
// a quoted argument (where reading resumes on the space) keeps them. The first
// empty argument ends the list.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace app
