// End to end under Wine: a paper added to the user source the way the paper editor
// saves it (user source written, compiled by kvx500pc.exe, converted by kvx500cv.exe,
// installed in the driver folder's "3" subfolder) is listed by kvx610host.exe once
// kvx610f.dll is loaded again, after the built-in papers of KVX610ad.lyt.
// First, so that <windows.h> comes without the macros that would rename the methods
// of FileSystem and Ui.
// clang-format off
#include "win/win32_api.h"
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "paperset/paper_set.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "resources/resource_ids.h"
#include "tests/family/tools_win.h"
#include "tests/kvx610f/driver_folder_win.h"
#include "tests/support/headless.h"
#include "win/codepage.h"
#include "win/win32_services.h"

namespace kvx610f {
namespace {

using family_test::WinPath;
using testing::DriverFolderStage;

using CapsFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);

constexpr int kBuiltInPapers = 15;  // family/data/kvx610ad.txt
constexpr const char* kNewName = "Shelf 70x45";

// The build pipeline finds the tools beside the running program; here the program
// is taken to live in the build tree's family folder, where the three tools are.
class ToolsInFamilyFolder : public win::Win32FileSystem {
public:
    std::optional<std::string> ProgramPath() override {
        return WinPath(FAMILY_FOLDER) + "\\velkor.exe";
    }
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// kvx610host.exe's report for the default DEVMODEA, its library taken from the
// driver folder as the driver side does.
std::string HostReport() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "kvx610host-report.txt";
    const DWORD code = family_test::RunTool(family_test::Quoted(WinPath(KVX610HOST_PATH)), output);
    std::string report = ReadText(output);
    DeleteFileA(output.c_str());
    EXPECT_EQ(code, 0u) << report;
    return report;
}

// The host's paper line for `name`, or empty.
std::string PaperLine(const std::string& report, const std::string& name) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" " + name + " ") != std::string::npos) return line;
    }
    return {};
}

DWORD PaperCount(CapsFn caps) {
    std::vector<uint8_t> devmode(sizeof(DEVMODEA) + 32);
    auto* dm = reinterpret_cast<DEVMODEA*>(devmode.data());
    dm->dmSize = sizeof(DEVMODEA);
    dm->dmDriverExtra = 32;
    dm->dmPrintQuality = dm->dmYResolution = 203;
    return caps(nullptr, nullptr, 257, nullptr, dm);
}

TEST(UserPaperEndToEnd, AddedPaperIsListedOnceTheLibraryIsLoadedAgain) {
    const std::string data = std::string(VELKOR_SOURCE_DIR) + "/family/data/";
    DriverFolderStage stage({testing::kPaperLibrary, testing::kBuiltInTable, "kvx610f.dll",
                             "kvx610ed.txt", "kvx610ed.lyt", "lty6141.bin"});
    // The driver as installed: library, capability library, built-in table, and the
    // user source that ships without papers.
    ASSERT_TRUE(stage.PutLibrary(WinPath(KVX500I3_PATH)));
    ASSERT_TRUE(stage.Put(WinPath(KVX610F_PATH), "kvx610f.dll"));
    ASSERT_TRUE(family_test::CompileTable(WinPath(FAMILY_COMPILER), WinPath(data + "kvx610ad.txt"),
                                          stage.Path(testing::kBuiltInTable)));
    ASSERT_TRUE(stage.Put(WinPath(data + "kvx610ed.txt"), "kvx610ed.txt"));

    std::string report = HostReport();
    ASSERT_NE(report.find("Papers (257): 15 "), std::string::npos) << report;
    EXPECT_EQ(PaperLine(report, kNewName), "");

    // A host that keeps kvx610f.dll loaded across the change.
    HMODULE held = LoadLibraryA(stage.Path("kvx610f.dll").c_str());
    ASSERT_NE(held, nullptr);
    auto heldCaps = reinterpret_cast<CapsFn>(
        reinterpret_cast<void*>(GetProcAddress(held, "MyDeviceCapabilities")));
    ASSERT_NE(heldCaps, nullptr);
    EXPECT_EQ(PaperCount(heldCaps), DWORD{kBuiltInPapers});

    // The main window's table: built-in papers, then the user's (none yet).
    ToolsInFamilyFolder files;
    win::Win32Processes processes;
    paperset::PaperSet paperSet(files, processes, "kvx610", stage.Folder(), nullptr);
    auto& table = paperSet.Table();
    paperSet.Load(papertable::LoadProfile(files, WinPath(data + "kvx610ad.txt")),
                  papertable::LoadProfile(files, stage.Path("kvx610ed.txt")), false);
    ASSERT_FALSE(table.device.bySeriesCode.empty());
    ASSERT_EQ(table.paperCount, kBuiltInPapers);

    // A new paper made from a built-in label, with the next free identifier.
    papertable::PaperRecord paper = table.papers[7];
    int16_t lastId = 0;
    for (int i = 0; i < table.paperCount; ++i)
        lastId = std::max(lastId, table.papers[static_cast<size_t>(i)].nPaperSize);
    paper.nPaperSize = static_cast<int16_t>(lastId + 1);
    paper.builtIn = false;
    ASSERT_TRUE(win::AnsiToWide(kNewName, paper.szPaperName_mm));
    ASSERT_TRUE(win::AnsiToWide("Shelf 2.76x1.77", paper.szPaperName_inch));
    const auto added = paperSet.Add(paper);
    ASSERT_TRUE(added.Ok()) << added.reason;
    EXPECT_TRUE(stage.Exists("kvx610ed.lyt"));
    EXPECT_TRUE(stage.Exists("lty6141.bin"));
    EXPECT_NE(ReadText(stage.Path("kvx610ed.txt")).find(kNewName), std::string::npos);

    // The table was read when the held library attached; its answers stay.
    EXPECT_EQ(PaperCount(heldCaps), DWORD{kBuiltInPapers});
    FreeLibrary(held);

    report = HostReport();
    EXPECT_NE(report.find("Papers (257): 16 "), std::string::npos) << report;
    const std::string line = PaperLine(report, kNewName);
    ASSERT_NE(line, "") << report;
    // Listed last (a kind-75 label, group 3, after the built-in papers), with its
    // identifier, inch name and the size of the label it was made from.
    std::istringstream fields(line);
    std::string number, id;
    fields >> number >> id;
    EXPECT_EQ(number, "16");
    EXPECT_EQ(id, std::to_string(lastId + 1));
    EXPECT_NE(line.find("Shelf 2.76x1.77"), std::string::npos);
    EXPECT_NE(line.find("58.0/"), std::string::npos) << line;
    EXPECT_NE(line.find("40.0/"), std::string::npos) << line;
    EXPECT_NE(line.find("0x0010"), std::string::npos) << line;
}

}  // namespace
}  // namespace kvx610f
