// The set-up of the tests that run the family's tools: a temporary folder of the
// run, whose name holds a blank as a user's temporary folder may, and the real
// paper-table library loaded with its function table. Needs FAMILY_LIBRARY.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "familyapi/lyt_api.h"
#include "tests/family/tools_win.h"
#include "win/win32_api.h"

namespace family_test {

class ToolsFixture : public ::testing::Test {
protected:
    // `folderName`: the start of the temporary folder's name, "family tools" say.
    explicit ToolsFixture(std::string folderName) : folderName_(std::move(folderName)) {}

    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + folderName_ + " " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        library_ = LoadLibraryA(WinPath(FAMILY_LIBRARY).c_str());
        ASSERT_NE(library_, nullptr);
        auto initialize = reinterpret_cast<LytInitializeFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, "LYT_InitializeA")));
        ASSERT_NE(initialize, nullptr);
        lyt_.size = kLytFunctionTableSize;
        ASSERT_TRUE(initialize(&lyt_));
    }
    void TearDown() override {
        if (library_) FreeLibrary(library_);
        RemoveFiles();
        RemoveDirectoryA(dir_.c_str());
    }
    // Empties the temporary folder.
    void RemoveFiles() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir_ + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            DeleteFileA((dir_ + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

    std::string dir_;  // ends in a backslash
    HMODULE library_ = nullptr;
    LytFunctionTable lyt_{};

private:
    std::string folderName_;
};

}  // namespace family_test
