#include "velkor/app/command_line.h"

namespace app {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    const std::string_view text = Trim(commandLine);
    std::vector<std::string> arguments;
    size_t position = 0;
    while (position < text.size()) {
        const char terminator = text[position] == '"' ? '"' : ' ';
        while (position < text.size() && text[position] == terminator) ++position;
        size_t end = text.find(terminator, position);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view argument = Trim(text.substr(position, end - position));
        if (argument.empty()) break;
        arguments.emplace_back(argument);
        position = end + 1;
    }
    return arguments;
}

}  // namespace app
