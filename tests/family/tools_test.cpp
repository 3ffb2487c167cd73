// Runs the real compiler, library and converter on the shipped sources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "family/lyt_api.h"
#include "family/paper_data.h"
#include "family_test_util.h"
#include "tests/family/tools_win.h"

namespace {

using family_test::RunTool;
using family_test::WinPath;

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class FamilyTools : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        // A blank in the folder, as a user's temporary folder may have.
        dir_ = std::string(temp) + "family tools " + std::to_string(GetCurrentProcessId()) + "\\";
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
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir_ + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((dir_ + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dir_.c_str());
    }

    // The pipeline's command line: paths unquoted, blanks and all.
    DWORD Compile(const std::string& source, const std::string& table) {
        return RunTool(WinPath(FAMILY_COMPILER) + " /S /L=" + dir_ + "log.txt " + source + " " +
                       table);
    }
    DWORD Convert(const std::string& table, const std::string& data, const std::string& codes) {
        return RunTool(WinPath(FAMILY_CONVERTER) + " " + table + " " + data + " kvx500i3.dll " +
                       codes);
    }

    // Papers of a table opened through the library; -1 when Open fails.
    int OpenCount(const std::string& name, DeviceInfoRecord* device = nullptr) {
        LytHandle handle = nullptr;
        if (!lyt_.Open(&handle, name.c_str())) return -1;
        EXPECT_NE(handle, nullptr);
        uint32_t needed = 0, count = 0;
        lyt_.GetPaperList(handle, kLytInfoLevel, nullptr, 0, &needed, &count);
        EXPECT_EQ(needed, count * sizeof(PaperInfoRecord));
        std::vector<PaperInfoRecord> papers(count);
        if (count > 0) {
            EXPECT_TRUE(
                lyt_.GetPaperList(handle, kLytInfoLevel, papers.data(), needed, &needed, &count));
        }
        DeviceInfoRecord info{};
        EXPECT_FALSE(lyt_.GetDeviceInfo(handle, kLytInfoLevel, &info, 117, &needed));
        EXPECT_EQ(needed, sizeof(DeviceInfoRecord));
        EXPECT_TRUE(lyt_.GetDeviceInfo(handle, kLytInfoLevel, &info, sizeof info, &needed));
        if (device) *device = info;
        EXPECT_TRUE(lyt_.Close(handle));
        EXPECT_FALSE(lyt_.Close(handle));
        return static_cast<int>(count);
    }

    std::string SourceFile(const std::string& name) {
        const char* root = std::getenv("VELKOR_SOURCE_DIR");
        return WinPath(std::string(root ? root : VELKOR_SOURCE_DIR) + "/family/data/" + name);
    }

    std::string dir_;
    HMODULE library_ = nullptr;
    LytFunctionTable lyt_{};
};

TEST_F(FamilyTools, BuildsEveryModelEndToEnd) {
    struct Model {
        const char* prefix;
        int builtIn;
        const char* codes;  // as the pipeline passes them
        uint8_t modelCode;
    };
    for (const Model& m : {Model{"kvx510", 13, "A Q", 0x51}, Model{"kvx520", 13, "A R", 0x52},
                           Model{"kvx610", 15, "A a", 0x61}, Model{"kvx620", 15, "A b", 0x62}}) {
        SCOPED_TRACE(m.prefix);
        const std::string prefix = m.prefix;
        const std::string builtIn = dir_ + prefix + "ad.lyt";
        ASSERT_EQ(Compile(SourceFile(prefix + "ad.txt"), builtIn), 0u);
        EXPECT_NE(Read(dir_ + "log.txt").find(std::to_string(m.builtIn) + " papers compiled"),
                  std::string::npos);

        // The user's source with two papers, compiled beside the built-in table.
        const std::string userSource = dir_ + prefix + "ed.txt";
        Write(userSource, family_test::ReadDataFile(prefix + "ed.txt") +
                              family_test::PaperSection(0) + family_test::PaperSection(1));
        const std::string user = dir_ + prefix + "ed.lyt";
        ASSERT_EQ(Compile(userSource, user), 0u);

        DeviceInfoRecord device{};
        EXPECT_EQ(OpenCount(builtIn, &device), m.builtIn + 2);
        EXPECT_EQ(device.bySeriesCode, 0x41);
        EXPECT_EQ(device.byModelCode, m.modelCode);
        EXPECT_EQ(OpenCount(user), 2);

        const std::string data = dir_ + "lty" + prefix + ".bin";
        ASSERT_EQ(Convert(user, data, m.codes), 0u);
        EXPECT_EQ(Read(data).size(), sizeof(family::PaperDataHeader) + 2 * 32 + 4);
        ASSERT_EQ(Convert(builtIn, data, m.codes), 0u);
        EXPECT_EQ(Read(data).size(), sizeof(family::PaperDataHeader) + (m.builtIn + 2) * 32 + 4);
    }
}

TEST_F(FamilyTools, BareNameIsFoundBesideTheLibrary) {
    const std::string table = Folder(WinPath(FAMILY_LIBRARY)) + "\\KVX610ad.lyt";
    ASSERT_EQ(Compile(SourceFile("kvx610ad.txt"), table), 0u);
    EXPECT_EQ(OpenCount("KVX610ad.lyt"), 15);
    DeleteFileA(table.c_str());
    EXPECT_EQ(OpenCount("KVX610ad.lyt"), -1);
}

TEST_F(FamilyTools, CompilerErrorsLeaveNoTable) {
    using family_test::PaperSection;
    const std::string device = family_test::DeviceSections();
    struct Case {
        const char* what;
        std::string source;
    };
    const Case cases[] = {
        {"missing key", device + PaperSection(0, {{"nSensorID", family_test::kAbsent}})},
        {"value out of range", device + PaperSection(0, {{"nPaperLength", "40000"}})},
        {"101 papers", family_test::SourceWithPapers(101)},
        {"garbage", std::string("\x7f\x45\x4c\x46\x02\x01\x01\x00garbage", 15)},
    };
    const std::string table = dir_ + "out.lyt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(dir_ + "in.txt", c.source);
        Write(table, "an older table");
        EXPECT_NE(Compile(dir_ + "in.txt", table), 0u);
        EXPECT_FALSE(Exists(table));
        EXPECT_NE(Read(dir_ + "log.txt").find("error"), std::string::npos);
    }
    EXPECT_NE(Compile(dir_ + "missing.txt", table), 0u);
    EXPECT_FALSE(Exists(table));
}

TEST_F(FamilyTools, DamagedTableAndWrongCodesAreRefused) {
    const std::string table = dir_ + "kvx510ed.lyt";
    Write(dir_ + "in.txt", family_test::SourceWithPapers(3));
    ASSERT_EQ(Compile(dir_ + "in.txt", table), 0u);
    const std::string data = dir_ + "ltyQA.bin";
    EXPECT_NE(Convert(table, data, "A R"), 0u);  // model code of another model
    EXPECT_FALSE(Exists(data));
    EXPECT_NE(Convert(table, data, " Q"), 0u);  // empty series code
    EXPECT_EQ(Convert(table, data, "A Q"), 0u);

    std::string bytes = Read(table);
    bytes[bytes.size() - 3] ^= 0x40;
    Write(table, bytes);
    EXPECT_EQ(OpenCount(table), -1);
    EXPECT_NE(Convert(table, data, "A Q"), 0u);
    EXPECT_FALSE(Exists(data));
}

TEST_F(FamilyTools, EmptyCodeArgumentStandsForZero) {
    std::string source = family_test::SourceWithPapers(1);
    source.replace(source.find("bySeriesCode=0x41"), 17, "bySeriesCode=0x00");
    Write(dir_ + "in.txt", source);
    ASSERT_EQ(Compile(dir_ + "in.txt", dir_ + "z.lyt"), 0u);
    // Two blanks in a row where the series code would stand.
    EXPECT_EQ(Convert(dir_ + "z.lyt", dir_ + "z.bin", " Q"), 0u);
    EXPECT_TRUE(Exists(dir_ + "z.bin"));
}

}  // namespace
