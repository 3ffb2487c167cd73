// A plain file system in memory: files by exact path, open to the test as a map,
// the paths read in order, and a program path that a test may take away.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class MemoryFiles : public win::FileSystem {
public:
    std::map<std::string, std::string> files;
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
};

}  // namespace fakes
