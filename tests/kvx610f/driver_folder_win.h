// Stages files in the printer-driver folder's "3" subfolder (of the test's own Wine
// prefix) and puts back what was there before.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kvx610f::testing {

inline constexpr const char* kPaperLibrary = "kvx500i3.dll";
inline constexpr const char* kBuiltInTable = "KVX610ad.lyt";
inline constexpr const char* kUserTable = "KVX610ed.lyt";  // appended by the library when present

inline std::string PrinterDriverDirectory() {
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                               &needed);
    return dir;
}

class DriverFolderStage {
public:
    // Every name the test may put there; each is moved aside until the end.
    explicit DriverFolderStage(std::vector<std::string> names = {kPaperLibrary, kBuiltInTable,
                                                                 kUserTable})
        : folder_(PrinterDriverDirectory() + "\\3"), names_(std::move(names)) {
        CreateDirectoryA(folder_.c_str(), nullptr);
        for (const auto& name : names_) MoveFileA(Path(name).c_str(), Saved(name).c_str());
    }
    ~DriverFolderStage() {
        Clear();
        for (const auto& name : names_) MoveFileA(Saved(name).c_str(), Path(name).c_str());
    }
    DriverFolderStage(const DriverFolderStage&) = delete;
    DriverFolderStage& operator=(const DriverFolderStage&) = delete;

    bool Put(const std::string& source, const std::string& name) {
        return CopyFileA(source.c_str(), Path(name).c_str(), FALSE) != FALSE;
    }
    bool PutLibrary(const std::string& source) { return Put(source, kPaperLibrary); }

    std::vector<uint8_t> Read(const std::string& name) const {
        std::vector<uint8_t> bytes;
        HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return bytes;
        bytes.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size()) {
            bytes.clear();
        }
        CloseHandle(file);
        return bytes;
    }
    bool Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        HANDLE file =
            CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
        CloseHandle(file);
        return ok;
    }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void Clear() {
        for (const auto& name : names_) DeleteFileA(Path(name).c_str());
    }
    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

private:
    std::string Saved(const std::string& name) const { return Path(name) + ".saved"; }

    std::string folder_;
    std::vector<std::string> names_;
};

}  // namespace kvx610f::testing
