#include "build/pipeline.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"
#include "tests/support/headless.h"

namespace {

using win::kAttributeReadOnly;

class PipelineTest : public ::testing::Test {
protected:
    PipelineTest() {
        // The tools stand-ins: the compiler makes the table, the converter the data.
        processes.onRun = [this](const std::string& commandLine) {
            if (commandLine.find("kvx500pc.exe") != std::string::npos && compilerWorks)
                files.Put("C:\\Temp\\kvx510ed.lyt", "table");
            if (commandLine.find("kvx500cv.exe") != std::string::npos && converterWorks)
                files.Put("C:\\Temp\\lty1F41.bin", "data");
        };
    }
    build::BuildContext Context() {
        return {files, processes, ui, nullptr, "kvx510", "0x41", "0x1F"};
    }
    build::BuildFiles Build(bool clearReadOnly) {
        return build::BuildPaperData(
            Context(), [this](const std::string& path) { files.WriteFileAtomic(path, "source"); },
            clearReadOnly);
    }

    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    win::headless::HeadlessUi ui;
    bool compilerWorks = true;
    bool converterWorks = true;
};

TEST_F(PipelineTest, CompilerRunsBeforeConverterWhichHasNoWindow) {
    Build(true);
    ASSERT_EQ(processes.runs.size(), 2u);
    EXPECT_NE(processes.runs[0].commandLine.find("kvx500pc.exe\" /S /L="), std::string::npos);
    EXPECT_FALSE(processes.runs[0].noWindow);
    EXPECT_NE(processes.runs[1].commandLine.find("kvx500cv.exe\""), std::string::npos);
    EXPECT_TRUE(processes.runs[1].noWindow);
    EXPECT_EQ(files.Get("C:\\Temp\\kvx510ed.txt"), "source");
}

TEST_F(PipelineTest, ReadOnlyTemporaryFilesAreOverwrittenOnlyWhenAsked) {
    for (bool clear : {true, false}) {
        files.Put("C:\\Temp\\kvx510ed.txt", "old", kAttributeReadOnly | 0x20);
        Build(clear);
        EXPECT_EQ(files.Get("C:\\Temp\\kvx510ed.txt"), clear ? "source" : "old");
        if (clear) {
            EXPECT_EQ(files.Attributes("C:\\Temp\\kvx510ed.txt"), 0x20u);  // other bits stay
        }
    }
}

TEST_F(PipelineTest, InstallCopiesAllThreeIntoTheDriverFolder) {
    const auto names = Build(true);
    files.Put("D:\\drv\\3\\kvx510ed.txt", "old source", kAttributeReadOnly);
    EXPECT_TRUE(build::InstallPaperData(Context(), names, "D:\\drv\\3", IDS_INSTALL_FAILED));
    EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.txt"), "source");
    EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.lyt"), "table");
    EXPECT_EQ(files.Get("D:\\drv\\3\\lty1F41.bin"), "data");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PipelineTest, InstallStopsAtTheFirstFailedCopyWithOneMessage) {
    compilerWorks = false;  // no table: the second copy fails
    const auto names = Build(true);
    files.Put("D:\\drv\\3\\lty1F41.bin", "old data");
    EXPECT_FALSE(build::InstallPaperData(Context(), names, "D:\\drv\\3", IDS_INSTALL_FAILED));
    EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.txt"), "source");   // already replaced
    EXPECT_EQ(files.Get("D:\\drv\\3\\lty1F41.bin"), "old data");  // never tried
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, ui.LoadString(IDS_INSTALL_FAILED));
    EXPECT_EQ(ui.messages[0].kind, win::MessageKind::Error);
}

TEST_F(PipelineTest, ExportLeavesReadOnlyDestinationsAndFails) {
    const auto names = Build(true);
    files.Put("E:\\out\\kvx510ed.txt", "kept", kAttributeReadOnly);
    EXPECT_FALSE(build::InstallPaperData(Context(), names, "E:\\out", IDS_EXPORT_FAILED, false));
    EXPECT_EQ(files.Get("E:\\out\\kvx510ed.txt"), "kept");
    EXPECT_EQ(ui.messages.at(0).text, ui.LoadString(IDS_EXPORT_FAILED));
}

TEST_F(PipelineTest, ClearReadOnlyIsTrueWithoutAFile) {
    EXPECT_TRUE(build::ClearReadOnly(files, "C:\\nothing.txt"));
    EXPECT_TRUE(files.log.empty());
}

}  // namespace
