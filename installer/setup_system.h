// What the setup helper does to the system, behind an interface so that its
// actions run against a fake in the tests (setup_system_win32.cpp for real).
#pragma once

#include <string>
#include <vector>

namespace setup {

struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingFolder;
    std::wstring description;
};

class SetupSystem {
public:
    virtual ~SetupSystem() = default;
    // Names of the files (not folders) in `folder`; empty when it cannot be read.
    virtual std::vector<std::wstring> FileNames(const std::wstring& folder) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // Copies `from` to `to` only if `to` does not exist, through a temporary file
    // beside `to`, so that `to` appears whole or not at all and an existing file is
    // never touched. False when `to` exists or the copy failed.
    virtual bool CopyNewFile(const std::wstring& from, const std::wstring& to) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Writes a shortcut file at `path`, replacing one that is there.
    virtual bool WriteShortcut(const std::wstring& path, const Shortcut& shortcut) = 0;
    // The folder of the running helper, without a trailing separator.
    virtual std::wstring ProgramFolder() = 0;
    // One line of the helper's report (standard error).
    virtual void Report(const std::wstring& line) = 0;
};

}  // namespace setup
