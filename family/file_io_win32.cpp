#include "family/file_io_win32.h"

#include <windows.h>

namespace family {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> result;
    LARGE_INTEGER size{};
    // Paper tables are small; anything near 16 MB is not one.
    if (GetFileSizeEx(file, &size) && size.QuadPart < (16 << 20)) {
        std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (bytes.empty() ||
            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size())) {
            result = std::move(bytes);
        }
    }
    CloseHandle(file);
    return result;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId());
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        (bytes.empty() ||
         (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size())) &&
        FlushFileBuffers(file);
    CloseHandle(file);
    if (ok && MoveFileExA(temporary.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

bool RemoveFile(const std::string& path, unsigned long* error) {
    constexpr int kTries = 40;
    constexpr DWORD kPauseMs = 50;
    DWORD last = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (attempt > 0) Sleep(kPauseMs);
        if (!DeleteFileA(path.c_str())) last = GetLastError();
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            const DWORD why = GetLastError();
            if (why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND) return true;
        }
    }
    if (error) *error = last == ERROR_SUCCESS ? ERROR_ACCESS_DENIED : last;
    return false;
}

std::string ModuleFolder(void* module) {
    // Paths may be longer than MAX_PATH; a result that fills the buffer was cut.
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path.data(),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace family
