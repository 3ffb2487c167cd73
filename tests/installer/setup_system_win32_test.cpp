// The Win32 side of the setup helper on real files under Wine: shortcuts read back
// through the shell's link object, and the copy that never replaces a file.
#include "installer/setup_system_win32.h"

#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

namespace {

class Win32SetupSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        wchar_t temp[MAX_PATH];
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ =
            std::wstring(temp) + L"velkorsetup test " + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::wstring& name : system_.FileNames(folder_)) DeleteFileW(Path(name).c_str());
        RemoveDirectoryW(Path(L"sub").c_str());
        RemoveDirectoryW(folder_.c_str());
        CoUninitialize();
    }
    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }
    void Write(const std::wstring& name, const std::string& bytes) const {
        HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::string Read(const std::wstring& name) const {
        HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        std::string bytes(4096, '\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        bytes.resize(read);
        return bytes;
    }
    std::vector<std::wstring> SortedNames() {
        std::vector<std::wstring> names = system_.FileNames(folder_);
        std::sort(names.begin(), names.end());
        return names;
    }

    setup::Win32SetupSystem system_;
    std::wstring folder_;
};

TEST_F(Win32SetupSystemTest, WritesAShortcutTheShellReadsBack) {
    const setup::Shortcut shortcut{L"C:\\Program Files\\Mertavo\\velkor.exe", L"\"Ostrel LM-510\"",
                                   L"C:\\Program Files\\Mertavo", L"Paper formats"};
    const std::wstring path = Path(L"Paper formats - Ostrel LM-510.lnk");
    ASSERT_TRUE(system_.WriteShortcut(path, shortcut));
    ASSERT_TRUE(system_.WriteShortcut(path, shortcut)) << "an existing shortcut is replaced";

    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    ASSERT_TRUE(SUCCEEDED(file->Load(path.c_str(), STGM_READ)));
    wchar_t text[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)));
    EXPECT_STREQ(text, shortcut.target.c_str());
    EXPECT_TRUE(SUCCEEDED(link->GetArguments(text, MAX_PATH)));
    EXPECT_STREQ(text, shortcut.arguments.c_str());
    EXPECT_TRUE(SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)));
    EXPECT_STREQ(text, shortcut.workingFolder.c_str());
    file->Release();
    link->Release();
}

TEST_F(Win32SetupSystemTest, CopiesOnlyToANameThatIsFree) {
    Write(L"template.txt", "empty source");
    Write(L"kept.txt", "the user's papers");
    EXPECT_TRUE(system_.CopyNewFile(Path(L"template.txt"), Path(L"new.txt")));
    EXPECT_EQ(Read(L"new.txt"), "empty source");
    EXPECT_FALSE(system_.CopyNewFile(Path(L"template.txt"), Path(L"kept.txt")));
    EXPECT_EQ(Read(L"kept.txt"), "the user's papers");
    EXPECT_FALSE(system_.CopyNewFile(Path(L"absent.txt"), Path(L"other.txt")));
    EXPECT_FALSE(system_.FileExists(Path(L"other.txt")));
    // No temporary file stays behind, whatever the outcome.
    EXPECT_EQ(SortedNames(), (std::vector<std::wstring>{L"kept.txt", L"new.txt", L"template.txt"}));
}

TEST_F(Win32SetupSystemTest, ListsFilesButNotFolders) {
    Write(L"a.txt", "a");
    Write(L"b.lnk", "b");
    ASSERT_TRUE(CreateDirectoryW(Path(L"sub").c_str(), nullptr));
    EXPECT_EQ(SortedNames(), (std::vector<std::wstring>{L"a.txt", L"b.lnk"}));
    EXPECT_EQ(system_.FileNames(folder_ + L"\\").size(), 2u);
    EXPECT_TRUE(system_.FileNames(Path(L"absent")).empty());
    EXPECT_TRUE(system_.FileExists(Path(L"a.txt")));
    EXPECT_FALSE(system_.FileExists(Path(L"sub")));
    EXPECT_TRUE(system_.RemoveFile(Path(L"a.txt")));
    EXPECT_FALSE(system_.RemoveFile(Path(L"a.txt")));
}

TEST_F(Win32SetupSystemTest, TheProgramFolderHoldsTheRunningProgram) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = system_.ProgramFolder();
    EXPECT_EQ(std::wstring(path).rfind(folder + L"\\", 0), 0u) << "folder of " << path;
    EXPECT_NE(folder.back(), L'\\');
}

}  // namespace
