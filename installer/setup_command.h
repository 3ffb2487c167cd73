// The command line of velkorsetup.exe, the helper the package runs from the
// installed program folder:
//
//   velkorsetup links <menu folder> <queue list>       shortcuts of the printer queues
//   velkorsetup unlinks <menu folder>                  removes every such shortcut
//   velkorsetup user-sources <template folder> <driver folder>
//                                                      empty user sources where none exist
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

// Splits a whole command line, program name first, into the arguments after the
// program name. A quoted argument runs to the next double quote and may be empty;
// any other runs to the next blank or tab. Backslashes are plain characters, so a
// folder ending in one ("C:\Folder\") passes unchanged.
std::vector<std::wstring> SplitArguments(std::wstring_view commandLine);

enum class Action { Links, Unlinks, UserSources };

struct Command {
    Action action = Action::Links;
    std::wstring folder;  // menu folder, or template folder for user sources
    std::wstring other;   // queue list, or driver folder for user sources
};

// nullopt for an unknown action or a wrong number of arguments.
std::optional<Command> ParseCommand(const std::vector<std::wstring>& arguments);

// "velkorsetup links <menu folder> <queue list>" and its siblings, for error output.
inline constexpr const wchar_t* kUsage =
    L"usage: velkorsetup links <menu folder> <queue list>\n"
    L"       velkorsetup unlinks <menu folder>\n"
    L"       velkorsetup user-sources <template folder> <driver folder>\n";

}  // namespace setup
