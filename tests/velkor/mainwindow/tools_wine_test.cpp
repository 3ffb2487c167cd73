// The build of the main window's commands with the real tools and the Win32
// services, on the shipped paper sources of every model: the user-paper build
// installed into a driver folder of its own, and the single-paper build wrapped
// into a printer-data file.
#include <gtest/gtest.h>

#include <string>

#include "paperset/paper_set.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "tests/family/tools_win.h"
#include "velkor/mainwindow/printer_data_file.h"
#include "win/win32_api.h"
#include "win/win32_services.h"

namespace {

using family_test::WinPath;

// The Win32 file system, with the tools' folder as program folder and a temporary
// folder of the test's own.
class ToolFiles : public win::Win32FileSystem {
public:
    ToolFiles(std::string toolsFolder, std::string temp)
        : toolsFolder_(std::move(toolsFolder)), temp_(std::move(temp)) {}
    std::optional<std::string> ProgramPath() override { return toolsFolder_ + "\\velkor.exe"; }
    std::string TempFolder() override { return temp_; }

private:
    std::string toolsFolder_;
    std::string temp_;
};

class PipelineWithTools : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        // Blanks in both folders, as a user's folders may have.
        root_ = std::string(temp) + "velkor pipeline " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA((root_ + "\\temp files").c_str(), nullptr);
        CreateDirectoryA((root_ + "\\driver folder").c_str(), nullptr);
        driverFolder_ = root_ + "\\driver folder";
        const std::string compiler = WinPath(TOOLS_COMPILER);
        files_ = std::make_unique<ToolFiles>(compiler.substr(0, compiler.rfind('\\')),
                                             root_ + "\\temp files\\");

        // The model's shipped papers, all taken as the user's own.
        const std::string prefix = GetParam();
        const auto source = papertable::LoadProfile(
            *files_, WinPath(VELKOR_SOURCE_DIR) + "\\family\\data\\" + prefix + "ad.txt");
        ASSERT_TRUE(papertable::ReadDevice(source, table_->device));
        papertable::LoadPaperTable(*table_, source, papertable::ProfileFile(), false, nullptr);
        ASSERT_GT(table_->paperCount, 2);
        for (int i = 0; i < table_->paperCount; ++i) table_->papers[i].builtIn = false;
    }
    void TearDown() override {
        for (const char* folder : {"\\temp files", "\\driver folder"}) {
            const std::string dir = root_ + folder;
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do {
                    const std::string path = dir + "\\" + found.cFileName;
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                } while (FindNextFileA(search, &found));
                FindClose(search);
            }
            RemoveDirectoryA(dir.c_str());
        }
        RemoveDirectoryA(root_.c_str());
    }
    paperset::BuildContext Context() {
        return paperset::BuildContext{*files_, processes_, GetParam(), table_->device.bySeriesCode,
                                      table_->device.byModelCode};
    }

    std::string root_;
    std::string driverFolder_;
    std::unique_ptr<ToolFiles> files_;
    win::Win32Processes processes_;
    std::unique_ptr<papertable::PaperTable> table_ = std::make_unique<papertable::PaperTable>();
};

TEST_P(PipelineWithTools, BuildsAndInstallsTheUserPapers) {
    const auto context = Context();
    const auto result = paperset::BuildPaperData(
        context,
        [&](const std::string& path) {
            return papertable::WriteUserSource(*files_, path, *table_, table_->paperCount);
        },
        true);
    ASSERT_TRUE(result.outcome.Ok()) << result.outcome.failure;
    const auto& built = result.files;
    const auto installed = paperset::InstallPaperData(
        *files_, built, paperset::DestinationPaths(driverFolder_, GetParam(), built), true);
    ASSERT_TRUE(installed.outcome.Ok()) << installed.outcome.failure;

    const std::string prefix = GetParam();
    const auto installedTable = files_->ReadFile(driverFolder_ + "\\" + prefix + "ed.lyt");
    const auto installedData = files_->ReadFile(driverFolder_ + "\\" + built.paperDataName);
    ASSERT_TRUE(installedTable && installedData);
    EXPECT_FALSE(installedTable->empty());
    EXPECT_FALSE(installedData->empty());
    EXPECT_EQ(installedData, files_->ReadFile(built.tempPaperData));

    // The installed source reads back as the same papers.
    papertable::PaperTable reread;
    papertable::LoadPaperTable(
        reread, papertable::ProfileFile(),
        papertable::LoadProfile(*files_, driverFolder_ + "\\" + prefix + "ed.txt"), false, nullptr);
    ASSERT_EQ(reread.paperCount, table_->paperCount);
    for (int i = 0; i < reread.paperCount; ++i) {
        EXPECT_EQ(std::u16string(reread.papers[i].szPaperName_mm.data()),
                  std::u16string(table_->papers[i].szPaperName_mm.data()))
            << i;
        EXPECT_EQ(reread.papers[i].nPaperWidth, table_->papers[i].nPaperWidth) << i;
    }
}

TEST_P(PipelineWithTools, OnePaperBecomesAPrinterDataFile) {
    const auto context = Context();
    const auto result = paperset::BuildPaperData(
        context,
        [&](const std::string& path) {
            return papertable::WriteSinglePaperSource(*files_, path, *table_, 1);
        },
        false);
    ASSERT_TRUE(result.outcome.Ok()) << result.outcome.failure;
    const auto& built = result.files;
    const auto data = files_->ReadFile(built.tempPaperData);
    ASSERT_TRUE(data);
    ASSERT_FALSE(data->empty());
    const std::string file = mainwindow::PrinterDataFileBytes(table_->device.bySeriesCode,
                                                              table_->device.byModelCode, *data);
    const std::string target = root_ + "\\driver folder\\saved.bin";
    ASSERT_TRUE(files_->WriteFileAtomic(target, std::string(4096, 'x')));
    ASSERT_TRUE(files_->WriteFileAtomic(target, file));
    EXPECT_EQ(files_->ReadFile(target), file);
    EXPECT_EQ(file.size(), data->size() + 20);
    EXPECT_EQ(static_cast<unsigned char>(file[9]),
              static_cast<unsigned char>(paperset::CodeCharacter(table_->device.bySeriesCode)[0]));

    // One paper makes less paper data than the whole set.
    const auto all = paperset::BuildPaperData(
        context,
        [&](const std::string& path) {
            return papertable::WriteUserSource(*files_, path, *table_, table_->paperCount);
        },
        true);
    EXPECT_LT(data->size(), files_->ReadFile(all.files.tempPaperData).value_or("").size());
}

// Tools without the paper-table library beside the converter: a change builds
// nothing it could install, says why, and leaves the driver folder as it was.
TEST_P(PipelineWithTools, AMissingConverterLibraryIsNamedAndNothingIsInstalled) {
    const std::string compiler = WinPath(TOOLS_COMPILER);
    const std::string from = compiler.substr(0, compiler.rfind('\\'));
    const std::string bare = root_ + "\\temp files";  // emptied by TearDown
    for (const char* tool : {"kvx500pc.exe", "kvx500cv.exe"})
        ASSERT_TRUE(CopyFileA((from + "\\" + tool).c_str(), (bare + "\\" + tool).c_str(), FALSE));
    ToolFiles files(bare, root_ + "\\temp files\\");

    const std::string prefix = GetParam();
    paperset::PaperSet paperSet(files, processes_, prefix, driverFolder_, nullptr);
    paperSet.Table() = *table_;
    const std::string installed = driverFolder_ + "\\" + prefix + "ed.txt";
    ASSERT_TRUE(files.WriteFileAtomic(installed, "the installed source"));

    const auto result = paperSet.Delete(1);
    EXPECT_EQ(result.status, paperset::ChangeStatus::Failed);
    EXPECT_NE(result.reason.find("kvx500i3.dll"), std::string::npos) << result.reason;
    EXPECT_EQ(files.ReadFile(installed), "the installed source");
    EXPECT_FALSE(files.FileExists(driverFolder_ + "\\" + prefix + "ed.lyt"));
    EXPECT_EQ(paperSet.Table().paperCount, table_->paperCount);
}

INSTANTIATE_TEST_SUITE_P(Models, PipelineWithTools,
                         ::testing::Values("kvx510", "kvx520", "kvx610", "kvx620"));

}  // namespace
