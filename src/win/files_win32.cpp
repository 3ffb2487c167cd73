#include <algorithm>
#include <atomic>
#include <functional>

#include "win/temporary_name.h"
#include "win/win32_services.h"

namespace win {
namespace {

uint32_t NextTag() {
    static std::atomic<uint32_t> counter{0};
    return (GetCurrentProcessId() * 0x9E3779B1u) ^ GetTickCount() ^ (++counter * 0x85EBCA6Bu);
}

constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// Creates a new temporary file beside `path` with `create` (which must fail when
// the name exists), then renames it over `path`. The temporary is removed on
// every failure, so a failed replace leaves the destination as it was.
bool ReplaceThroughTemporary(const std::string& path,
                             const std::function<bool(const std::string&)>& create) {
    // A read-only destination is refused as a plain copy would refuse it; the
    // rename alone would replace it on some systems.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string temporary = TemporarySiblingName(path, NextTag());
        if (!create(temporary)) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            DeleteFileA(temporary.c_str());
            return false;
        }
        if (MoveFileExA(temporary.c_str(), path.c_str(), kReplace)) return true;
        DeleteFileA(temporary.c_str());
        return false;
    }
    return false;
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::optional<uint32_t> Win32FileSystem::Attributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[64 * 1024];
    DWORD done = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &done, nullptr) != FALSE) && done > 0) {
        bytes.append(chunk, done);
    }
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    return ReplaceThroughTemporary(path, [&](const std::string& temporary) {
        HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool ok = WriteWhole(file, bytes) && FlushFileBuffers(file);
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(ok ? ERROR_SUCCESS : error);
        return ok;
    });
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
    return ReplaceThroughTemporary(to, [&](const std::string& temporary) {
        return CopyFileA(from.c_str(), temporary.c_str(), TRUE) != FALSE;
    });
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

std::string Win32FileSystem::TempFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return {};
    return std::string(folder, length);
}

std::optional<std::string> Win32FileSystem::ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::nullopt;
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return std::nullopt;
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

std::string Win32FileSystem::CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::string directory(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, directory.data());
    if (length == 0 || length >= needed) return {};
    directory.resize(length);
    return directory;
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::string Win32FileSystem::DocumentsFolder() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return folder;
}

FolderCreation Win32FileSystem::CreateFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return FolderCreation::Created;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return FolderCreation::Failed;
    // The name may be a file's.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return folder ? FolderCreation::Existed : FolderCreation::Failed;
}

std::optional<std::vector<FolderItem>> Win32FileSystem::ListFolder(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<FolderItem> items;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        items.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    if (!complete) return std::nullopt;
    return items;
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

}  // namespace win
