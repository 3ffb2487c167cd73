// SetupSystem in memory: files and shortcuts by exact path, with failures a test
// can switch on, and the report lines kept.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "installer/setup_system.h"

namespace fakes {

class FakeSetupSystem : public setup::SetupSystem {
public:
    std::map<std::wstring, std::wstring> files;  // path -> content
    std::map<std::wstring, setup::Shortcut> shortcuts;
    std::set<std::wstring> failingPaths;  // writes and deletes there fail
    std::vector<std::wstring> report;
    std::wstring programFolder = L"C:\\Program Files\\Mertavo";

    std::vector<std::wstring> FileNames(const std::wstring& folder) override {
        std::vector<std::wstring> names;
        std::wstring start = folder;
        while (!start.empty() && start.back() == L'\\') start.pop_back();
        start += L'\\';
        for (const auto& [path, content] : files) {
            if (path.compare(0, start.size(), start) == 0 &&
                path.find(L'\\', start.size()) == std::wstring::npos)
                names.push_back(path.substr(start.size()));
        }
        return names;
    }
    bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
    bool CopyNewFile(const std::wstring& from, const std::wstring& to) override {
        if (failingPaths.count(to) || files.count(to) || !files.count(from)) return false;
        files[to] = files[from];
        return true;
    }
    bool RemoveFile(const std::wstring& path) override {
        if (failingPaths.count(path) || !files.count(path)) return false;
        files.erase(path);
        shortcuts.erase(path);
        return true;
    }
    bool WriteShortcut(const std::wstring& path, const setup::Shortcut& shortcut) override {
        if (failingPaths.count(path)) return false;
        files[path] = L"shortcut";
        shortcuts[path] = shortcut;
        return true;
    }
    std::wstring ProgramFolder() override { return programFolder; }
    void Report(const std::wstring& line) override { report.push_back(line); }
};

}  // namespace fakes
