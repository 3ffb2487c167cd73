// In-memory file system: files by path (compared without regard to case, "/" and
// "\" alike), attributes, a temporary folder "C:\Temp\", and failures injected
// per path. Writing or copying over a read-only file fails, as on the platform.
// A folder exists once created or while a file lies in it; a folder is created
// only in an existing one and removed only when empty.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class FakeFileSystem : public win::FileSystem {
public:
    struct File {
        std::string bytes;
        uint32_t attributes = 0;
        std::string path;  // as first given, for listings
    };

    // Setting up and inspecting.
    void Put(const std::string& path, std::string bytes, uint32_t attributes = 0) {
        files_[Key(path)] = File{std::move(bytes), attributes, path};
    }
    std::optional<std::string> Get(const std::string& path) const {
        const auto found = files_.find(Key(path));
        if (found == files_.end()) return std::nullopt;
        return found->second.bytes;
    }
    bool Has(const std::string& path) const { return files_.count(Key(path)) != 0; }
    void FailRead(const std::string& path) { failRead_.insert(Key(path)); }
    void FailWrite(const std::string& path) { failWrite_.insert(Key(path)); }
    void FailCopy(const std::string& path) { failCopy_.insert(Key(path)); }  // as destination
    void FailDelete(const std::string& path) { failDelete_.insert(Key(path)); }
    void FailCreateFolder(const std::string& path) { failCreateFolder_.insert(Key(path)); }
    // Every file whose path starts with `prefix` can be neither written nor copied to.
    void FailWriteUnder(const std::string& prefix) { failWriteUnder_.push_back(Key(prefix)); }
    bool HasFolder(const std::string& path) const { return FolderExists(Key(path)); }
    // The paths of the files in `folder` and below it.
    std::vector<std::string> FilesUnder(const std::string& folder) const {
        std::vector<std::string> paths;
        for (const auto& [key, file] : files_)
            if (Inside(key, Key(folder))) paths.push_back(file.path);
        return paths;
    }

    // Every call that changes a file or folder, as "write <path>", "copy <from> <to>",
    // "delete <path>", "attributes <path>", "folder <path>", "remove-folder <path>",
    // in order.
    std::vector<std::string> log;
    std::string temp = "C:\\Temp\\";
    std::optional<std::string> programPath = "C:\\Program Files\\Mertavo\\velkor.exe";
    std::string currentDirectory = "C:\\";
    std::string documents = "C:\\Users\\user\\Documents";

    // win::FileSystem
    bool FileExists(const std::string& path) override { return Has(path); }
    std::optional<uint32_t> Attributes(const std::string& path) override {
        const auto found = files_.find(Key(path));
        if (found == files_.end()) return std::nullopt;
        return found->second.attributes;
    }
    bool SetAttributes(const std::string& path, uint32_t attributes) override {
        log.push_back("attributes " + path);
        const auto found = files_.find(Key(path));
        if (found == files_.end()) return false;
        found->second.attributes = attributes;
        return true;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        if (failRead_.count(Key(path))) return std::nullopt;
        return Get(path);
    }
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        log.push_back("write " + path);
        if (failWrite_.count(Key(path)) || WriteFailsUnder(path) || ReadOnly(path)) return false;
        const auto found = files_.find(Key(path));
        files_[Key(path)] = File{bytes, found == files_.end() ? 0 : found->second.attributes, path};
        return true;
    }
    bool CopyFile(const std::string& from, const std::string& to) override {
        log.push_back("copy " + from + " " + to);
        const auto source = files_.find(Key(from));
        if (source == files_.end() || failRead_.count(Key(from)) || failCopy_.count(Key(to)) ||
            WriteFailsUnder(to) || ReadOnly(to)) {
            return false;
        }
        files_[Key(to)] = File{source->second.bytes, source->second.attributes, to};
        return true;
    }
    bool DeleteFile(const std::string& path) override {
        log.push_back("delete " + path);
        if (failDelete_.count(Key(path)) || ReadOnly(path)) return false;
        return files_.erase(Key(path)) != 0;
    }
    std::string TempFolder() override { return temp; }
    std::optional<std::string> ProgramPath() override { return programPath; }
    std::string CurrentDirectory() override { return currentDirectory; }
    bool SetCurrentDirectory(const std::string& path) override {
        currentDirectory = path;
        return true;
    }
    std::string DocumentsFolder() override { return documents; }
    win::FolderCreation CreateFolder(const std::string& path) override {
        log.push_back("folder " + path);
        const std::string key = Key(path);
        if (failCreateFolder_.count(key) || files_.count(key)) return win::FolderCreation::Failed;
        if (FolderExists(key)) return win::FolderCreation::Existed;
        const auto slash = key.find_last_of('\\');
        if (slash != std::string::npos && !FolderExists(key.substr(0, slash)))
            return win::FolderCreation::Failed;
        folders_[key] = path;
        return win::FolderCreation::Created;
    }
    std::optional<std::vector<win::FolderItem>> ListFolder(const std::string& path) override {
        const std::string key = Key(path);
        if (!FolderExists(key)) return std::nullopt;
        std::map<std::string, win::FolderItem> items;  // by key, so each name once
        const auto add = [&](const std::string& itemKey, const std::string& original, bool folder) {
            const std::string rest = itemKey.substr(key.size() + 1);
            const auto slash = rest.find('\\');
            const std::string name = original.substr(key.size() + 1, slash);
            items.emplace(rest.substr(0, slash),
                          win::FolderItem{name, folder || slash != rest.npos});
        };
        for (const auto& [fileKey, file] : files_)
            if (Inside(fileKey, key)) add(fileKey, file.path, false);
        for (const auto& [folderKey, original] : folders_)
            if (Inside(folderKey, key)) add(folderKey, original, true);
        std::vector<win::FolderItem> listing;
        for (const auto& [name, item] : items) listing.push_back(item);
        return listing;
    }
    bool RemoveFolder(const std::string& path) override {
        log.push_back("remove-folder " + path);
        const std::string key = Key(path);
        for (const auto& [fileKey, file] : files_)
            if (Inside(fileKey, key)) return false;
        for (const auto& [folderKey, original] : folders_)
            if (Inside(folderKey, key)) return false;
        return folders_.erase(key) != 0;
    }

private:
    static std::string Key(std::string path) {
        std::transform(path.begin(), path.end(), path.begin(), [](char c) {
            return c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        });
        return path;
    }
    // True when `key` lies in folder `folderKey` or below it.
    static bool Inside(const std::string& key, const std::string& folderKey) {
        return key.size() > folderKey.size() + 1 &&
               key.compare(0, folderKey.size(), folderKey) == 0 && key[folderKey.size()] == '\\';
    }
    bool FolderExists(const std::string& key) const {
        if (folders_.count(key) || key.size() == 2) return true;  // "c:" and the like
        for (const auto& [fileKey, file] : files_)
            if (Inside(fileKey, key)) return true;
        return false;
    }
    bool WriteFailsUnder(const std::string& path) const {
        for (const auto& prefix : failWriteUnder_)
            if (Key(path).compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    }
    bool ReadOnly(const std::string& path) const {
        const auto found = files_.find(Key(path));
        return found != files_.end() && (found->second.attributes & win::kAttributeReadOnly) != 0;
    }

    std::map<std::string, File> files_;
    std::map<std::string, std::string> folders_;  // created folders: key -> path as given
    std::set<std::string> failRead_, failWrite_, failCopy_, failDelete_, failCreateFolder_;
    std::vector<std::string> failWriteUnder_;
};

}  // namespace fakes
