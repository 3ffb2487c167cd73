// The Win32 services against the real system (under Wine in the build).
#include <gtest/gtest.h>

#include <algorithm>

#include "win/win32_services.h"

namespace {

class Win32Files : public testing::Test {
protected:
    void SetUp() override {
        folder = files.TempFolder() + "velkor-files-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    void TearDown() override {
        for (const auto& name : Names()) {
            SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + "\\" + name).c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }
    // Every file now in the folder.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    std::string Path(const std::string& name) const { return folder + "\\" + name; }

    win::Win32FileSystem files;
    std::string folder;
};

TEST_F(Win32Files, AtomicWriteCreatesAndReplacesLeavingNoTemporaries) {
    const std::string target = Path("kvx510ed.txt");
    ASSERT_TRUE(files.WriteFileAtomic(target, "first"));
    ASSERT_TRUE(files.WriteFileAtomic(target, std::string("second\0with nul", 15)));
    EXPECT_EQ(files.ReadFile(target), std::string("second\0with nul", 15));
    EXPECT_EQ(Names(), std::vector<std::string>{"kvx510ed.txt"});

    const std::string big(3 * 1024 * 1024 + 17, 'b');
    ASSERT_TRUE(files.WriteFileAtomic(target, big));
    EXPECT_EQ(files.ReadFile(target), big);
}

TEST_F(Win32Files, FailedReplaceKeepsTheOldFileWhole) {
    const std::string target = Path("locked.txt");
    ASSERT_TRUE(files.WriteFileAtomic(target, "old"));
    ASSERT_TRUE(files.SetAttributes(target, win::kAttributeReadOnly));
    EXPECT_FALSE(files.WriteFileAtomic(target, "new"));
    EXPECT_FALSE(files.CopyFile(target, target));
    EXPECT_EQ(files.ReadFile(target), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"locked.txt"});
    EXPECT_EQ(files.Attributes(target).value_or(0) & win::kAttributeReadOnly,
              win::kAttributeReadOnly);

    EXPECT_FALSE(files.WriteFileAtomic(Path("no-such-folder\\x.txt"), "x"));
}

TEST_F(Win32Files, CopyReplacesAndAMissingSourceChangesNothing) {
    ASSERT_TRUE(files.WriteFileAtomic(Path("a.txt"), "source"));
    ASSERT_TRUE(files.WriteFileAtomic(Path("b.txt"), "old destination"));
    EXPECT_TRUE(files.CopyFile(Path("a.txt"), Path("b.txt")));
    EXPECT_EQ(files.ReadFile(Path("b.txt")), "source");

    EXPECT_FALSE(files.CopyFile(Path("missing.txt"), Path("b.txt")));
    EXPECT_EQ(files.ReadFile(Path("b.txt")), "source");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(Win32Files, ExistenceAttributesAndDeletion) {
    const std::string target = Path("one.txt");
    EXPECT_FALSE(files.FileExists(target));
    EXPECT_FALSE(files.Attributes(target));
    EXPECT_FALSE(files.ReadFile(target));
    ASSERT_TRUE(files.WriteFileAtomic(target, ""));
    EXPECT_TRUE(files.FileExists(target));
    EXPECT_EQ(files.ReadFile(target), "");
    EXPECT_TRUE(files.DeleteFile(target));
    EXPECT_FALSE(files.DeleteFile(target));
    EXPECT_FALSE(files.FileExists(target));
}

TEST_F(Win32Files, FoldersAreCreatedListedAndRemovedOnlyWhenEmpty) {
    const std::string history = Path("history");
    EXPECT_EQ(files.CreateFolder(history), win::FolderCreation::Created);
    EXPECT_EQ(files.CreateFolder(history), win::FolderCreation::Existed);
    EXPECT_EQ(files.CreateFolder(Path("missing\\deeper")), win::FolderCreation::Failed);
    ASSERT_TRUE(files.WriteFileAtomic(Path("kvx510ed.txt"), "x"));
    EXPECT_EQ(files.CreateFolder(Path("kvx510ed.txt")), win::FolderCreation::Failed);
    ASSERT_TRUE(files.WriteFileAtomic(history + "\\entry.ini", "e"));

    auto listing = files.ListFolder(folder);
    ASSERT_TRUE(listing);
    std::sort(listing->begin(), listing->end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    EXPECT_EQ(*listing, (std::vector<win::FolderItem>{{"history", true}, {"kvx510ed.txt", false}}));
    EXPECT_EQ(files.ListFolder(history), (std::vector<win::FolderItem>{{"entry.ini", false}}));
    EXPECT_FALSE(files.ListFolder(Path("missing")));

    EXPECT_FALSE(files.RemoveFolder(history));  // it holds a file
    ASSERT_TRUE(files.DeleteFile(history + "\\entry.ini"));
    EXPECT_EQ(files.ListFolder(history), std::vector<win::FolderItem>{});
    EXPECT_TRUE(files.RemoveFolder(history));
    EXPECT_FALSE(files.ListFolder(history));
}

TEST_F(Win32Files, FoldersOfTheRun) {
    const auto program = files.ProgramPath();
    ASSERT_TRUE(program);
    EXPECT_NE(program->find("win32_services_test.exe"), std::string::npos) << *program;
    EXPECT_EQ(files.TempFolder().back(), '\\');
    EXPECT_FALSE(files.DocumentsFolder().empty());

    const std::string before = files.CurrentDirectory();
    ASSERT_TRUE(files.SetCurrentDirectory(folder));
    EXPECT_EQ(files.CurrentDirectory(), folder);
    EXPECT_TRUE(files.SetCurrentDirectory(before));
    EXPECT_FALSE(files.SetCurrentDirectory(folder + "\\missing"));
}

TEST_F(Win32Files, RunAndWaitReturnsWhenTheToolHasEnded) {
    win::Win32Processes processes;
    const std::string marker = Path("marker.txt");
    processes.RunAndWait("cmd.exe /c echo done> " + marker, true);
    EXPECT_TRUE(files.FileExists(marker));

    // A tool that cannot start does not hold the caller.
    processes.RunAndWait(Path("no-such-tool.exe"), false);
}

TEST(Win32Locale, ReportsTheUserDefaults) {
    win::Win32Locale locale;
    const auto measurement = locale.MeasurementSystem();
    ASSERT_TRUE(measurement);
    EXPECT_TRUE(*measurement == "0" || *measurement == "1") << *measurement;
    EXPECT_FALSE(locale.DecimalSeparator().empty());
}

TEST(Win32Locale, FormatsDatesAndTimesInTheUserFormats) {
    win::Win32Locale locale;
    const win::LocalTime time{2024, 6, 12, 14, 30, 5};
    const std::string date = locale.FormatDate(time);
    const std::string clock = locale.FormatTime(time);
    EXPECT_NE(date.find("12"), std::string::npos) << date;
    EXPECT_NE(date.find("24"), std::string::npos) << date;
    EXPECT_NE(clock.find("30"), std::string::npos) << clock;
    EXPECT_NE(clock.find("05"), std::string::npos) << clock;
    EXPECT_EQ(date.find('\0'), std::string::npos);
    EXPECT_EQ(locale.FormatDate({2024, 13, 40, 0, 0, 0}), "");
    EXPECT_EQ(locale.FormatTime({2024, 6, 12, 25, 61, 0}), "");
}

TEST(Win32Clock, GivesTheLocalTime) {
    win::Win32Clock clock;
    const win::LocalTime now = clock.Now();
    SYSTEMTIME local{};
    GetLocalTime(&local);
    EXPECT_EQ(now.year, local.wYear);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.hour, 23);
}

TEST(Win32Instance, SecondCreationFindsTheMutex) {
    const std::string name = "mutex_layer_test_" + std::to_string(GetCurrentProcessId());
    win::Win32Instance first;
    win::Win32Instance second;
    EXPECT_FALSE(first.CreateOwnedMutexExisted(name));
    EXPECT_TRUE(second.CreateOwnedMutexExisted(name));
    second.ActivateWindow("no window has this title " + name);  // nothing to do
}

TEST(Win32Spooler, ReadsAndChangesAQueuesPort) {
    win::Win32Spooler spooler;
    const auto directory = spooler.DriverDirectory();
    ASSERT_TRUE(directory);
    EXPECT_FALSE(directory->empty());

    // A queue of our own on a driver of any name.
    char driverPath[] = "wineps.drv";
    char dataFile[] = "generic.ppd";
    char driverName[] = "Velkor Layer Test Driver";
    char environment[] = "Windows x64";
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pEnvironment = environment;
    driver.pDriverPath = driverPath;
    driver.pConfigFile = driverPath;
    driver.pDataFile = dataFile;
    char raw[] = "RAW";
    driver.pDefaultDataType = raw;
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
        GTEST_SKIP() << "no printer driver can be installed here";
    }
    const std::string queue = "Velkor Layer Test " + std::to_string(GetCurrentProcessId());
    std::string queueName = queue;
    char port[] = "LPT1:";
    char processor[] = "WinPrint";
    PRINTER_INFO_2A info{};
    info.pPrinterName = queueName.data();
    info.pPortName = port;
    info.pDriverName = driverName;
    info.pPrintProcessor = processor;
    info.pDatatype = raw;
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(added, nullptr) << "AddPrinterA error " << GetLastError();

    const auto printers = spooler.EnumeratePrinters();
    ASSERT_TRUE(printers);
    bool listed = false;
    for (const auto& printer : *printers) {
        if (printer.printerName == queue) listed = printer.driverName == driverName;
    }
    EXPECT_TRUE(listed);
    EXPECT_EQ(spooler.GetPort(queue), "LPT1:");
    EXPECT_TRUE(spooler.SetPort(queue, "COM3:"));
    EXPECT_EQ(spooler.GetPort(queue), "COM3:");
    EXPECT_FALSE(spooler.GetPort(queue + " missing"));
    EXPECT_FALSE(spooler.SetPort(queue + " missing", "COM3:"));

    DeletePrinter(added);
    ClosePrinter(added);
}

}  // namespace
