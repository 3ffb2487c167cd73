// The helper's three actions. Each reports what it did or could not do through
// SetupSystem::Report and returns false when any step failed; steps that can go on
// after a failure do.
#pragma once

#include <string>
#include <string_view>

#include "installer/setup_command.h"
#include "installer/setup_system.h"

namespace setup {

inline constexpr std::wstring_view kProgramName = L"velkor.exe";
inline constexpr std::wstring_view kUserSourceSuffix = L"ed.txt";

// Makes the queue shortcuts in `menuFolder` exactly those of `queueList` (see
// ParseQueueList), each starting velkor.exe of the helper's own folder.
bool MakeQueueLinks(SetupSystem& system, const std::wstring& menuFolder,
                    std::wstring_view queueList);

// Deletes every queue shortcut in `menuFolder`.
bool RemoveQueueLinks(SetupSystem& system, const std::wstring& menuFolder);

// Copies each user source of `templateFolder` (a file whose name ends in "ed.txt")
// into `driverFolder` where no file of that name exists; existing ones stay as
// they are.
bool CreateMissingUserSources(SetupSystem& system, const std::wstring& templateFolder,
                              const std::wstring& driverFolder);

// Runs one parsed command; true when it succeeded.
bool RunCommand(SetupSystem& system, const Command& command);

// `folder` and `name` joined by one backslash.
std::wstring JoinPath(const std::wstring& folder, std::wstring_view name);

}  // namespace setup
