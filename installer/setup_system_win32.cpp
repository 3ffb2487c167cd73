#include "installer/setup_system_win32.h"

#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

namespace setup {
namespace {

// Releases a COM interface at the end of its scope.
template <typename T>
struct ComRef {
    T* p = nullptr;
    ~ComRef() {
        if (p) p->Release();
    }
};

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

std::vector<std::wstring> Win32SetupSystem::FileNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const std::wstring pattern =
        folder + (folder.empty() || folder.back() != L'\\' ? L"\\*" : L"*");
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool Win32SetupSystem::FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SetupSystem::CopyNewFile(const std::wstring& from, const std::wstring& to) {
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(FolderOf(to).c_str(), L"vks", 0, temporary)) return false;
    // Without MOVEFILE_REPLACE_EXISTING the rename fails when `to` exists, so a file
    // that appeared meanwhile is never replaced.
    if (CopyFileW(from.c_str(), temporary, FALSE) &&
        MoveFileExW(temporary, to.c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary);
    return false;
}

bool Win32SetupSystem::RemoveFile(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != 0;
}

bool Win32SetupSystem::WriteShortcut(const std::wstring& path, const Shortcut& shortcut) {
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))))
        return false;
    if (FAILED(link.p->SetPath(shortcut.target.c_str())) ||
        FAILED(link.p->SetArguments(shortcut.arguments.c_str())) ||
        FAILED(link.p->SetWorkingDirectory(shortcut.workingFolder.c_str())) ||
        FAILED(link.p->SetDescription(shortcut.description.c_str())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))))
        return false;
    return SUCCEEDED(file.p->Save(path.c_str(), TRUE));
}

std::wstring Win32SetupSystem::ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L".";
    return FolderOf(path);
}

void Win32SetupSystem::Report(const std::wstring& line) {
    std::fwprintf(stderr, L"velkorsetup: %ls\n", line.c_str());
}

}  // namespace setup
