// A plain file system in memory: files by exact path, open to the test as a map,
// the paths read in order, and a program path that a test may take away. Folders
// are the created ones and those that hold a file.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class MemoryFiles : public win::FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::vector<std::string> reads;
    std::optional<std::string> programPath = "C:\\Program Files\\Mertavo\\velkor.exe";

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<uint32_t> Attributes(const std::string& path) override {
        if (!FileExists(path)) return std::nullopt;
        return 0u;
    }
    bool SetAttributes(const std::string&, uint32_t) override { return true; }
    std::optional<std::string> ReadFile(const std::string& path) override {
        reads.push_back(path);
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        files[path] = bytes;
        return true;
    }
    bool CopyFile(const std::string& from, const std::string& to) override {
        auto it = files.find(from);
        if (it == files.end()) return false;
        files[to] = it->second;
        return true;
    }
    bool DeleteFile(const std::string& path) override { return files.erase(path) != 0; }
    std::string TempFolder() override { return "C:\\temp\\"; }
    std::optional<std::string> ProgramPath() override { return programPath; }
    std::string CurrentDirectory() override { return "C:\\"; }
    bool SetCurrentDirectory(const std::string&) override { return true; }
    std::string DocumentsFolder() override { return "C:\\Documents"; }
    win::FolderCreation CreateFolder(const std::string& path) override {
        if (IsFolder(path)) return win::FolderCreation::Existed;
        folders.insert(path);
        return win::FolderCreation::Created;
    }
    std::optional<std::vector<win::FolderItem>> ListFolder(const std::string& path) override {
        if (!IsFolder(path)) return std::nullopt;
        std::map<std::string, bool> names;  // name -> is a folder
        const auto add = [&](const std::string& inside, bool folder) {
            const std::string rest = inside.substr(path.size() + 1);
            const auto slash = rest.find('\\');
            names[rest.substr(0, slash)] |= folder || slash != std::string::npos;
        };
        for (const auto& [name, bytes] : files)
            if (Inside(name, path)) add(name, false);
        for (const auto& folder : folders)
            if (Inside(folder, path)) add(folder, true);
        std::vector<win::FolderItem> items;
        for (const auto& [name, folder] : names) items.push_back({name, folder});
        return items;
    }
    bool RemoveFolder(const std::string& path) override {
        for (const auto& [name, bytes] : files)
            if (Inside(name, path)) return false;
        for (const auto& folder : folders)
            if (Inside(folder, path)) return false;
        return folders.erase(path) != 0;
    }

private:
    static bool Inside(const std::string& path, const std::string& folder) {
        return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
               path[folder.size()] == '\\';
    }
    bool IsFolder(const std::string& path) const {
        if (folders.count(path)) return true;
        for (const auto& [name, bytes] : files)
            if (Inside(name, path)) return true;
        return false;
    }
};

}  // namespace fakes
