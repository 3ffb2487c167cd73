#include "paperset/pipeline.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"

namespace {

using win::kAttributeReadOnly;

constexpr const char* kTempSource = "C:\\Temp\\kvx510ed.txt";
constexpr const char* kTempTable = "C:\\Temp\\kvx510ed.lyt";
constexpr const char* kTempData = "C:\\Temp\\lty1F41.bin";
constexpr const char* kCompilerLog = "C:\\Temp\\log.txt";
constexpr const char* kConverterLog = "C:\\Temp\\lty1F41.bin.log";

struct PipelineTest : ::testing::Test {
    PipelineTest() { StandInForTheTools(); }
    void StandInForTheTools() {
        // The tools stand-ins: the compiler makes the table, the converter the data;
        // a failing one leaves only its log.
        processes.onRun = [this](const std::string& commandLine) {
            if (commandLine.find("kvx500pc.exe") != std::string::npos) {
                if (compilerWorks)
                    files.Put(kTempTable, "table");
                else
                    files.Put(kCompilerLog, compilerLog);
            }
            if (commandLine.find("kvx500cv.exe") != std::string::npos) {
                if (converterWorks)
                    files.Put(kTempData, "data");
                else
                    files.Put(kConverterLog, converterLog);
            }
        };
    }
    paperset::BuildContext Context() { return {files, processes, "kvx510", "0x41", "0x1F"}; }
    paperset::BuildResult Build(bool clearReadOnly) {
        return paperset::BuildPaperData(
            Context(),
            [this](const std::string& path) { return files.WriteFileAtomic(path, "source"); },
            clearReadOnly);
    }
    paperset::SetPaths Destination(const std::string& folder) {
        return paperset::DestinationPaths(folder, "kvx510", Build(true).files);
    }

    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    bool compilerWorks = true;
    bool converterWorks = true;
    std::string compilerLog =
        "compiling\r\nerror: [Paper03] nPaperWidth: 0\r\nno table written\r\n";
    std::string converterLog = "error: cannot load kvx500i3.dll\r\n";
};

TEST_F(PipelineTest, CompilerRunsBeforeConverterWhichHasNoWindow) {
    const auto built = Build(true);
    EXPECT_TRUE(built.outcome.Ok()) << built.outcome.failure;
    ASSERT_EQ(processes.runs.size(), 2u);
    EXPECT_NE(processes.runs[0].commandLine.find("kvx500pc.exe\" /S /L="), std::string::npos);
    EXPECT_FALSE(processes.runs[0].noWindow);
    EXPECT_NE(processes.runs[1].commandLine.find("kvx500cv.exe\""), std::string::npos);
    EXPECT_TRUE(processes.runs[1].noWindow);
    EXPECT_EQ(files.Get(kTempSource), "source");
}

TEST_F(PipelineTest, ReadOnlyTemporaryFilesAreReplacedOnlyWhenAsked) {
    files.Put(kTempSource, "old", kAttributeReadOnly | 0x20);
    EXPECT_TRUE(Build(true).outcome.Ok());
    EXPECT_EQ(files.Get(kTempSource), "source");
    EXPECT_EQ(files.Attributes(kTempSource), 0u);  // a new file

    // Without clearing, a read-only leftover stops the build before any tool runs.
    for (const char* leftover : {kTempSource, kTempTable, kTempData}) {
        files = fakes::FakeFileSystem();
        processes.runs.clear();
        files.Put(leftover, "old", kAttributeReadOnly);
        const auto built = Build(false);
        EXPECT_EQ(built.outcome.failure, std::string("cannot remove the earlier ") + leftover);
        EXPECT_TRUE(processes.runs.empty()) << leftover;
    }
}

// Asked to clear, the build replaces each read-only leftover of the temporary folder
// and the install each read-only file of the destination.
TEST_F(PipelineTest, EachReadOnlyFileIsMadeWritableWhenAsked) {
    const struct {
        const char* path;
        const char* built;
    } cases[] = {
        {kTempSource, "source"},
        {kTempTable, "table"},
        {kTempData, "data"},
        {"D:\\drv\\3\\kvx510ed.txt", "source"},
        {"D:\\drv\\3\\kvx510ed.lyt", "table"},
        {"D:\\drv\\3\\lty1F41.bin", "data"},
    };
    for (const auto& c : cases) {
        files = fakes::FakeFileSystem();
        files.Put(c.path, "earlier", kAttributeReadOnly);
        const auto built = Build(true);
        EXPECT_TRUE(built.outcome.Ok()) << c.path << ": " << built.outcome.failure;
        if (!built.outcome.Ok()) continue;
        const auto installed = paperset::InstallPaperData(
            files, built.files, paperset::DestinationPaths("D:\\drv\\3", "kvx510", built.files),
            true);
        EXPECT_TRUE(installed.outcome.Ok()) << c.path << ": " << installed.outcome.failure;
        EXPECT_EQ(files.Get(c.path), c.built) << c.path;
    }
}

// A step that fails must never hand an earlier build's file to the next one.
TEST_F(PipelineTest, EveryFailureHasItsReasonAndLeavesNoOlderOutput) {
    struct Case {
        const char* what;
        std::function<void(PipelineTest&)> arrange;
        std::string reason;
    };
    const Case cases[] = {
        {"source not written", [](PipelineTest& t) { t.files.FailWrite(kTempSource); },
         std::string("cannot write ") + kTempSource},
        {"compiler fails", [](PipelineTest& t) { t.compilerWorks = false; },
         "[Paper03] nPaperWidth: 0"},
        {"compiler without log",
         [](PipelineTest& t) {
             t.compilerWorks = false;
             t.compilerLog = "compiling\r\n";
         },
         "kvx500pc.exe wrote no table"},
        {"compiler cannot start", [](PipelineTest& t) { t.processes.failStart = "kvx500pc"; },
         "cannot start kvx500pc.exe"},
        {"converter fails", [](PipelineTest& t) { t.converterWorks = false; },
         "cannot load kvx500i3.dll"},
        {"no program folder", [](PipelineTest& t) { t.files.programPath.reset(); },
         "cannot determine the program folder"},
    };
    for (const auto& c : cases) {
        files = fakes::FakeFileSystem();
        processes = fakes::FakeProcesses();
        StandInForTheTools();
        compilerWorks = converterWorks = true;
        // An earlier build's outputs, which a failed step would otherwise leave.
        files.Put(kTempTable, "old table");
        files.Put(kTempData, "old data");
        c.arrange(*this);
        const auto built = Build(true);
        EXPECT_EQ(built.outcome.failure, c.reason) << c.what;
        EXPECT_NE(files.Get(kTempTable), "old table") << c.what;
        EXPECT_NE(files.Get(kTempData), "old data") << c.what;
    }
}

TEST_F(PipelineTest, FirstLogErrorIsTheReason) {
    EXPECT_EQ(paperset::FirstLogError("a\r\nerror: one\r\nerror: two\r\n"), "one");
    EXPECT_EQ(paperset::FirstLogError("error: last"), "last");
    EXPECT_EQ(paperset::FirstLogError("warning: cut\nno error here\n"), std::nullopt);
}

TEST_F(PipelineTest, InstallCopiesAllThreeIntoTheDriverFolder) {
    const auto built = Build(true);
    files.Put("D:\\drv\\3\\kvx510ed.txt", "old source", kAttributeReadOnly);
    const auto installed = paperset::InstallPaperData(
        files, built.files, paperset::DestinationPaths("D:\\drv\\3", "kvx510", built.files), true);
    EXPECT_TRUE(installed.outcome.Ok()) << installed.outcome.failure;
    EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.txt"), "source");
    EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.lyt"), "table");
    EXPECT_EQ(files.Get("D:\\drv\\3\\lty1F41.bin"), "data");
    // The set it replaced, for whoever keeps it.
    EXPECT_EQ(installed.previous.bytes[0], "old source");
    EXPECT_EQ(installed.previous.bytes[1], std::nullopt);
}

TEST_F(PipelineTest, AFailedCopyPutsBackTheWholePreviousSet) {
    for (const char* failing :
         {"D:\\drv\\3\\kvx510ed.txt", "D:\\drv\\3\\kvx510ed.lyt", "D:\\drv\\3\\lty1F41.bin"}) {
        files = fakes::FakeFileSystem();
        const auto built = Build(true);
        files.Put("D:\\drv\\3\\kvx510ed.txt", "old source", kAttributeReadOnly);
        files.Put("D:\\drv\\3\\kvx510ed.lyt", "old table");
        // No paper data installed before: the new one must not stay either.
        files.FailCopy(failing);
        const auto installed = paperset::InstallPaperData(
            files, built.files, paperset::DestinationPaths("D:\\drv\\3", "kvx510", built.files),
            true);
        EXPECT_EQ(installed.outcome.failure, std::string("cannot replace ") + failing);
        EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.txt"), "old source") << failing;
        EXPECT_EQ(files.Get("D:\\drv\\3\\kvx510ed.lyt"), "old table") << failing;
        EXPECT_FALSE(files.Has("D:\\drv\\3\\lty1F41.bin")) << failing;
    }
}

TEST_F(PipelineTest, InstallNeedsAllThreeFilesOfTheBuild) {
    compilerWorks = false;
    const auto built = Build(true);
    ASSERT_FALSE(built.outcome.Ok());
    const auto installed = paperset::InstallPaperData(
        files, built.files, paperset::DestinationPaths("D:\\drv\\3", "kvx510", built.files), true);
    EXPECT_FALSE(installed.outcome.Ok());
    EXPECT_FALSE(files.Has("D:\\drv\\3\\kvx510ed.txt"));
}

TEST_F(PipelineTest, ExportLeavesReadOnlyDestinationsAndFails) {
    const auto built = Build(true);
    files.Put("E:\\out\\kvx510ed.txt", "kept", kAttributeReadOnly);
    const auto installed = paperset::InstallPaperData(
        files, built.files, paperset::DestinationPaths("E:\\out", "kvx510", built.files), false);
    EXPECT_FALSE(installed.outcome.Ok());
    EXPECT_EQ(files.Get("E:\\out\\kvx510ed.txt"), "kept");
    EXPECT_FALSE(files.Has("E:\\out\\kvx510ed.lyt"));
}

TEST_F(PipelineTest, ClearReadOnlyIsTrueWithoutAFile) {
    EXPECT_TRUE(paperset::ClearReadOnly(files, "C:\\nothing.txt"));
    EXPECT_TRUE(files.log.empty());
}

}  // namespace
