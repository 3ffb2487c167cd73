#include "installer/setup_command.h"

namespace setup {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Reads one argument starting at `position` (no blank there); moves past it.
std::wstring ReadArgument(std::wstring_view text, size_t& position) {
    if (text[position] == L'"') {
        const size_t end = text.find(L'"', position + 1);
        const size_t stop = end == std::wstring_view::npos ? text.size() : end;
        std::wstring argument(text.substr(position + 1, stop - position - 1));
        position = stop == text.size() ? stop : stop + 1;
        return argument;
    }
    size_t end = position;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::wstring argument(text.substr(position, end - position));
    position = end;
    return argument;
}

}  // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view commandLine) {
    std::vector<std::wstring> arguments;
    size_t position = 0;
    bool programName = true;
    while (true) {
        while (position < commandLine.size() && IsBlank(commandLine[position])) ++position;
        if (position >= commandLine.size()) break;
        std::wstring argument = ReadArgument(commandLine, position);
        if (!programName) arguments.push_back(std::move(argument));
        programName = false;
    }
    return arguments;
}

std::optional<Command> ParseCommand(const std::vector<std::wstring>& arguments) {
    struct Form {
        const wchar_t* name;
        Action action;
        size_t count;  // arguments after the action's name
    };
    static const Form kForms[] = {
        {L"links", Action::Links, 2},
        {L"unlinks", Action::Unlinks, 1},
        {L"user-sources", Action::UserSources, 2},
    };
    if (arguments.empty()) return std::nullopt;
    for (const Form& form : kForms) {
        if (arguments[0] != form.name || arguments.size() != form.count + 1) continue;
        Command command;
        command.action = form.action;
        command.folder = arguments[1];
        if (form.count > 1) command.other = arguments[2];
        return command;
    }
    return std::nullopt;
}

}  // namespace setup
