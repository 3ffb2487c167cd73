// In-memory file system: files by path (compared without regard to case, "/" and
// "\" alike), attributes, a temporary folder "C:\Temp\", and failures injected
// per path. Writing or copying over a read-only file fails, as on the platform.
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
    };

    // Setting up and inspecting.
    void Put(const std::string& path, std::string bytes, uint32_t attributes = 0) {
        files_[Key(path)] = File{std::move(bytes), attributes};
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

    // Every call that changes a file, as "write <path>", "copy <from> <to>",
    // "delete <path>", "attributes <path>", in order.
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
        if (failWrite_.count(Key(path)) || ReadOnly(path)) return false;
        const auto found = files_.find(Key(path));
        files_[Key(path)] = File{bytes, found == files_.end() ? 0 : found->second.attributes};
        return true;
    }
    bool CopyFile(const std::string& from, const std::string& to) override {
        log.push_back("copy " + from + " " + to);
        const auto source = files_.find(Key(from));
        if (source == files_.end() || failRead_.count(Key(from)) || failCopy_.count(Key(to)) ||
            ReadOnly(to)) {
            return false;
        }
        files_[Key(to)] = source->second;
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

private:
    static std::string Key(std::string path) {
        std::transform(path.begin(), path.end(), path.begin(), [](char c) {
            return c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        });
        return path;
    }
    bool ReadOnly(const std::string& path) const {
        const auto found = files_.find(Key(path));
        return found != files_.end() && (found->second.attributes & win::kAttributeReadOnly) != 0;
    }

    std::map<std::string, File> files_;
    std::set<std::string> failRead_, failWrite_, failCopy_, failDelete_;
};

}  // namespace fakes
