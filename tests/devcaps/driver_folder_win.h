// Stages a paper-table library and a table file in the printer-driver folder's "3"
// subfolder (of the test's own Wine prefix) and puts back what was there before.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

namespace devcaps::testing {

class DriverFolderStage {
public:
    static constexpr const char* kStaged[] = {"kvx500i3.dll", "KVX610ad.lyt"};

    DriverFolderStage() {
        char dir[MAX_PATH] = {};
        DWORD needed = 0;
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                   &needed);
        folder_ = std::string(dir) + "\\3";
        CreateDirectoryA(folder_.c_str(), nullptr);
        for (const char* name : kStaged) MoveFileA(Path(name).c_str(), Saved(name).c_str());
    }
    ~DriverFolderStage() {
        Clear();
        for (const char* name : kStaged) MoveFileA(Saved(name).c_str(), Path(name).c_str());
    }
    DriverFolderStage(const DriverFolderStage&) = delete;
    DriverFolderStage& operator=(const DriverFolderStage&) = delete;

    bool PutLibrary(const char* source) {
        return CopyFileA(source, Path(kStaged[0]).c_str(), FALSE) != FALSE;
    }
    bool PutTable(const std::vector<uint8_t>& bytes) {
        HANDLE file = CreateFileA(Path(kStaged[1]).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
        CloseHandle(file);
        return ok;
    }
    void Clear() {
        for (const char* name : kStaged) DeleteFileA(Path(name).c_str());
    }
    const std::string& Folder() const { return folder_; }

private:
    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    std::string Saved(const char* name) const { return Path(name) + ".saved"; }

    std::string folder_;
};

}  // namespace devcaps::testing
