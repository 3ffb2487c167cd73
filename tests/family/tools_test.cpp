// Runs the real compiler, library and converter on the shipped sources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "paperset/pipeline.h"
#include "familyapi/lyt_api.h"
#include "family/paper_data.h"
#include "family_test_util.h"
#include "tests/family/tools_fixture.h"
#include "tests/family/tools_win.h"
#include "win/path_name.h"

namespace {

using family_test::FirstError;
using family_test::RunTool;
using family_test::WinPath;

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

class FamilyTools : public family_test::ToolsFixture {
protected:
    FamilyTools() : ToolsFixture("family tools") {}

    // The pipeline's command line: paths unquoted, blanks and all.
    DWORD Compile(const std::string& source, const std::string& table) {
        return RunTool(WinPath(FAMILY_COMPILER) + " /S /L=" + dir_ + "log.txt " + source + " " +
                       table);
    }
    DWORD Convert(const std::string& table, const std::string& data, const std::string& codes,
                  const std::string& library = "kvx500i3.dll") {
        return RunTool(WinPath(FAMILY_CONVERTER) + " " + table + " " + data + " " + library + " " +
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
    const std::string table = win::FolderOf(WinPath(FAMILY_LIBRARY)) + "\\KVX610ad.lyt";
    ASSERT_EQ(Compile(SourceFile("kvx610ad.txt"), table), 0u);
    EXPECT_EQ(OpenCount("KVX610ad.lyt"), 15);
    DeleteFileA(table.c_str());
    EXPECT_EQ(OpenCount("KVX610ad.lyt"), -1);
}

TEST_F(FamilyTools, CompilerRefusesOnlyAnUnusableSourceAndLeavesNoTable) {
    using family_test::PaperSection;
    const std::string device = family_test::DeviceSections();
    struct Case {
        const char* what;
        std::string source;
        const char* firstError;
    };
    const Case cases[] = {
        {"no paper readable", device + PaperSection(0, {{"nSensorID", family_test::kAbsent}}),
         "error: [Paper00] nSensorID: missing: the source holds no paper"},
        {"width 0", device + PaperSection(0, {{"nPaperWidthRes", "0"}}),
         "error: [Paper00] nPaperWidthRes: a paper of width 0 cannot be printed"},
        {"garbage", std::string("\x7f\x45\x4c\x46\x02\x01\x01\x00garbage", 15),
         "error: [Model]: missing or empty: the source describes no printer"},
    };
    const std::string table = dir_ + "out.lyt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(dir_ + "in.txt", c.source);
        Write(table, "an older table");
        EXPECT_NE(Compile(dir_ + "in.txt", table), 0u);
        EXPECT_FALSE(Exists(table));
        EXPECT_EQ(FirstError(Read(dir_ + "log.txt")), c.firstError);
    }
    EXPECT_NE(Compile(dir_ + "missing.txt", table), 0u);
    EXPECT_FALSE(Exists(table));
    EXPECT_EQ(FirstError(Read(dir_ + "log.txt")), "error: cannot read " + dir_ + "missing.txt");
}

TEST_F(FamilyTools, CompilerLogsWhatItCutOrLeftOut) {
    using family_test::PaperSection;
    std::string source = family_test::SourceWithPapers(101);
    source.replace(source.find("nPaperLength=300"), 16, "nPaperLength=40000");
    Write(dir_ + "in.txt", source);
    ASSERT_EQ(Compile(dir_ + "in.txt", dir_ + "out.lyt"), 0u);
    const std::string log = Read(dir_ + "log.txt");
    EXPECT_EQ(FirstError(log), "");
    EXPECT_NE(log.find("\r\nwarning: [Paper00] nPaperLength: \"40000\" read as -25536 (cut to 16 "
                       "bits)\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\r\nwarning: [Paper100]: left out"), std::string::npos) << log;
    EXPECT_NE(log.find("100 papers compiled"), std::string::npos) << log;
    EXPECT_EQ(OpenCount(dir_ + "out.lyt"), 100);
}

TEST_F(FamilyTools, ConverterLogsBesideItsOutput) {
    const std::string table = dir_ + "kvx510ed.lyt";
    Write(dir_ + "in.txt", family_test::SourceWithPapers(3));
    ASSERT_EQ(Compile(dir_ + "in.txt", table), 0u);
    const std::string data = dir_ + "ltyQA.bin";
    const std::string log = data + ".log";
    struct Case {
        const char* what;
        std::string table;
        const char* codes;
        std::string firstError;  // empty: success
    };
    std::string damaged = Read(table);
    damaged[damaged.size() - 3] ^= 0x40;
    Write(dir_ + "damaged.lyt", damaged);
    const Case cases[] = {
        {"success", table, "A Q", ""},
        {"codes of another model", table, "A R",
         "error: the table's codes 0x41/0x51 do not match the arguments 0x41/0x52 (series/model)"},
        {"codes in hexadecimal", table, "0x41 0x52",
         "error: the table's codes 0x41/0x51 do not match the arguments 0x41/0x52 (series/model)"},
        {"no table", dir_ + "missing.lyt", "A Q",
         "error: cannot open table " + dir_ + "missing.lyt: no such file"},
        {"damaged table", dir_ + "damaged.lyt", "A Q",
         "error: cannot open table " + dir_ +
             "damaged.lyt: kvx500i3.dll finds no sound paper "
             "table in it"},
        {"a code in no known form", table, "A QQ",
         "error: the series and model codes must each be empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(data, "older paper data");
        const DWORD code = Convert(c.table, data, c.codes);
        const std::string text = Read(log);
        if (c.firstError.empty()) {
            EXPECT_EQ(code, 0u) << text;
            EXPECT_EQ(FirstError(text), "");
            EXPECT_NE(text.find("converted 3 papers of " + table + " into " + data +
                                " (series 0x41, model 0x51)"),
                      std::string::npos)
                << text;
        } else {
            EXPECT_NE(code, 0u);
            EXPECT_FALSE(Exists(data)) << text;
            EXPECT_EQ(FirstError(text).substr(0, c.firstError.size()), c.firstError) << text;
        }
    }
}

// Older paper data that another program holds open when a conversion fails is
// removed once that program lets go of it; when it never does, the log says so
// after the reason of the failure.
TEST_F(FamilyTools, ConverterRemovesOlderDataAnotherProgramHolds) {
    const std::string table = dir_ + "kvx510ed.lyt";
    Write(dir_ + "in.txt", family_test::SourceWithPapers(1));
    ASSERT_EQ(Compile(dir_ + "in.txt", table), 0u);
    const std::string data = dir_ + "ltyQA.bin";
    const std::string reason = "error: the table's codes 0x41/0x51 do not match";
    for (const bool released : {true, false}) {
        SCOPED_TRACE(released ? "let go of after a moment" : "held throughout");
        Write(data, "older paper data");
        HANDLE held = CreateFileA(data.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread holder;
        if (released)
            holder = std::thread([held] {
                Sleep(300);
                CloseHandle(held);
            });
        EXPECT_NE(Convert(table, data, "A R"), 0u);
        const std::string log = Read(data + ".log");
        EXPECT_EQ(FirstError(log).substr(0, reason.size()), reason) << log;
        if (released) {
            holder.join();
            EXPECT_FALSE(Exists(data)) << log;
            EXPECT_EQ(log.find("cannot remove"), std::string::npos) << log;
        } else {
            CloseHandle(held);
            EXPECT_NE(log.find("error: cannot remove the older paper data " + data +
                               " (system error 32)"),
                      std::string::npos)
                << log;
        }
    }
}

// The library is taken from the converter's own folder, never from the current
// directory or the search path.
TEST_F(FamilyTools, ConverterLoadsTheLibraryBesideItselfOnly) {
    const std::string table = dir_ + "kvx510ed.lyt";
    Write(dir_ + "in.txt", family_test::SourceWithPapers(1));
    ASSERT_EQ(Compile(dir_ + "in.txt", table), 0u);

    const std::string alone = dir_ + "kvx500cv.exe";  // a folder without the library
    ASSERT_TRUE(CopyFileA(WinPath(FAMILY_CONVERTER).c_str(), alone.c_str(), FALSE));
    const std::string withLibrary = dir_ + "with library";
    CreateDirectoryA(withLibrary.c_str(), nullptr);
    const std::string library = withLibrary + "\\kvx500i3.dll";
    ASSERT_TRUE(CopyFileA(WinPath(FAMILY_LIBRARY).c_str(), library.c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(withLibrary.c_str());
    const std::string data = dir_ + "ltyQA.bin";
    const DWORD code =
        RunTool(family_test::Quoted(alone) + " " + table + " " + data + " kvx500i3.dll A Q");
    SetCurrentDirectoryA(previous);
    EXPECT_NE(code, 0u);
    EXPECT_FALSE(Exists(data));
    const std::string folder = dir_.substr(0, dir_.size() - 1);
    EXPECT_EQ(FirstError(Read(data + ".log"))
                  .find("error: cannot load kvx500i3.dll from " + folder + " (system error "),
              0u)
        << Read(data + ".log");

    // A library named with a folder is not taken either.
    EXPECT_NE(Convert(table, data, "A Q", family_test::Quoted(library)), 0u);
    EXPECT_EQ(FirstError(Read(data + ".log")),
              "error: the paper-table library must be named without a folder: " + library);
    DeleteFileA(library.c_str());
    RemoveDirectoryA(withLibrary.c_str());
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

// Every byte a code can be, the awkward ones above all, reaches the converter on the
// build pipeline's own command lines and matches the code the compiler compiled.
TEST_F(FamilyTools, EveryCodeReachesTheConverterOnThePipelinesCommandLine) {
    const std::string tools = win::FolderOf(WinPath(FAMILY_CONVERTER));
    for (int code : {0x00, 0x01, 0x09, 0x0A, 0x0D, 0x1F, 0x20, 0x22, 0x30, 0x78, 0x7F, 0x80, 0x81,
                     0x8D, 0x9D, 0xA0, 0xFF}) {
        char series[8], model[8];
        std::snprintf(series, sizeof series, "0x%02x", code);
        std::snprintf(model, sizeof model, "0x%02x", 0xFF - code);
        SCOPED_TRACE(series);
        std::string source = family_test::SourceWithPapers(1);
        source.replace(source.find("bySeriesCode=0x41"), 17, std::string("bySeriesCode=") + series);
        source.replace(source.find("byModelCode=0x51"), 16, std::string("byModelCode=") + model);
        const auto names = paperset::MakeBuildFiles(dir_, "kvx510", series, model);
        Write(names.tempSource, source);
        ASSERT_EQ(RunTool(paperset::CompilerCommandLine(tools, names)), 0u);
        const DWORD converted = RunTool(paperset::ConverterCommandLine(tools, names, series, model));
        EXPECT_EQ(converted, 0u) << Read(names.tempPaperData + ".log");
        const std::string data = Read(names.tempPaperData);
        ASSERT_GE(data.size(), sizeof(family::PaperDataHeader));
        EXPECT_EQ(static_cast<unsigned char>(data[8]), code);
        EXPECT_EQ(static_cast<unsigned char>(data[9]), 0xFF - code);
    }
}

}  // namespace
