// The printer-data file and the two commands that build the selected paper alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/velkor/mainwindow/command_run.h"
#include "velkor/mainwindow/printer_data_file.h"

namespace {

using mwtest::CommandRun;
using mwtest::kTempData;
using mwtest::kTempSource;
using mwtest::kTempTable;
using win::headless::HeadlessWindow;
using Dlg = mainwindow::CTarnelDlg;

std::vector<int> Bytes(std::string_view text) {
    return std::vector<int>(reinterpret_cast<const unsigned char*>(text.data()),
                            reinterpret_cast<const unsigned char*>(text.data()) + text.size());
}

std::string HeaderBytes(const mainwindow::PrinterDataHeader& header) {
    return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

TEST(PrinterDataFile, HeaderCarriesCommandCodesAndLength) {
    struct Case {
        const char* series;
        const char* model;
        uint64_t length;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"0x41", "0x1F", 300, {0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F, 0x10, 0x41,
                               0x1F, 0,    0x2C, 0x01, 0,    0,    0,    0,    0,    0}},
        // Only the low byte of a code's value, and of a length beyond 32 bits the low 32 bits.
        {"0x141", "  3A", 0x1'0203'0405ull, {0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55,
                                             0x4F, 0x10, 0x41, 0x3A, 0,    0x05, 0x04,
                                             0x03, 0x02, 0,    0,    0,    0}},
        {"", "zz", 0, {0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F, 0x10, 0,
                       0,    0,    0,    0,    0,    0,    0,    0,    0,    0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            Bytes(HeaderBytes(mainwindow::MakePrinterDataHeader(c.series, c.model, c.length))),
            c.expected)
            << c.series;
    }
}

TEST(PrinterDataFile, IsTheHeaderFollowedByThePaperData) {
    std::string data(300, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
    const std::string file = mainwindow::PrinterDataFileBytes("0x41", "0x51", data);
    ASSERT_EQ(file.size(), 320u);
    EXPECT_EQ(Bytes(file.substr(12, 4)), (std::vector<int>{0x2C, 0x01, 0x00, 0x00}));
    EXPECT_EQ(file.substr(20), data);
    EXPECT_EQ(mainwindow::PrinterDataFileBytes("0x41", "0x51", "").size(), 20u);
}

bool NoLeadBytes(char) {
    return false;
}
// Lead bytes as in a double-byte code page: 0x81 to 0x9F, whose trail bytes may be
// "\" or ".".
bool DoubleByteLead(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0x9F;
}

TEST(PrinterDataFile, SuggestedNameIsTheProgramNameWithoutFolderAndExtension) {
    struct Case {
        std::string path;
        bool (*isLeadByte)(char);
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Mertavo\\velkor.exe", NoLeadBytes, "velkor"},
        {"velkor.exe", NoLeadBytes, "velkor"},
        {"velkor", NoLeadBytes, "velkor"},
        {"C:\\tools.d\\velkor", NoLeadBytes, "velkor"},
        {"C:\\x\\my.tool.exe", NoLeadBytes, "my.tool"},
        {"C:velkor.exe", NoLeadBytes, "velkor"},
        {"/opt/x/velkor.exe", NoLeadBytes, "velkor"},
        {"C:\\x\\", NoLeadBytes, ""},
        {".exe", NoLeadBytes, ""},
        {"", NoLeadBytes, ""},
        {"C:\\\x83\\name.exe", DoubleByteLead, "\x83\\name"},
        {"C:\\x\\na\x81.me", DoubleByteLead, "na\x81.me"},
        {"C:\\x\\name.\x81", DoubleByteLead, "name"},  // a lead byte at the end stands alone
        {"C:\\\x83\\name.exe", NoLeadBytes, "name"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::SuggestedDataFileName(c.path, c.isLeadByte), c.expected) << c.path;
}

// The commands.

const std::string kChosen = "D:\\Data\\paper.bin";

TEST(SavePrinterData, WritesHeaderAndPaperDataAndRemovesTheTemporaryFiles) {
    CommandRun run;
    run.ui.saveChoice = kChosen;
    run.paperData = std::string(300, 'p');
    run.files.Put(kChosen, std::string(1000, 'o'));  // replaced, not appended to
    run.Run([&](Dlg&, HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 3);
        w.Click(IDM_POPUP_SAVE);
    });
    ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
    const auto& args = run.ui.fileDialogs[0];
    EXPECT_EQ(args.title, run.Text(IDS_SAVE_DATA_TITLE));
    EXPECT_EQ(args.filter, run.Text(IDS_SAVE_DATA_FILTER));
    EXPECT_EQ(args.defaultExtension, "bin");
    EXPECT_EQ(args.suggestedName, "velkor");

    EXPECT_EQ(run.files.Get(kChosen),
              mainwindow::PrinterDataFileBytes("0x41", "0x51", std::string(300, 'p')));
    EXPECT_EQ(run.files.Get(kChosen)->size(), 320u);
    EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_DATA_SAVED)});
    EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Information);
    for (const auto& path : {kTempSource, kTempTable, kTempData})
        EXPECT_FALSE(run.files.Has(path)) << path;
    // Only the selected paper was built, and nothing went to the driver folder.
    ASSERT_EQ(run.compiledSources.size(), 1u);
    EXPECT_NE(run.compiledSources[0].find("[Paper00]\r\nszPaperName_mm=User D mm"),
              std::string::npos);
    EXPECT_EQ(run.compiledSources[0].find("[Paper01]"), std::string::npos);
    EXPECT_FALSE(run.Touched(mwtest::kDriverFolder));
}

TEST(SavePrinterData, CancelBuildsNothing) {
    CommandRun run;
    run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDM_POPUP_SAVE); });
    EXPECT_EQ(run.ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(run.processes.runs.empty());
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_TRUE(run.files.log.empty());
}

TEST(SavePrinterData, StartsOutsideTheDriverFolder) {
    for (const auto& [current, after] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\WINDOWS\\System32\\spool\\drivers\\x64\\3", "C:\\Users\\user\\Documents"},
             {"D:\\Data", "D:\\Data"}}) {
        CommandRun run;
        run.files.currentDirectory = current;
        run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDM_POPUP_SAVE); });
        EXPECT_EQ(run.files.currentDirectory, after) << current;
    }
}

TEST(SavePrinterData, FailuresShowTheSaveMessage) {
    struct Case {
        const char* what;
        std::function<void(CommandRun&)> arrange;
        bool temporaryDataStays;
        std::string reason;
    };
    const Case cases[] = {
        {"tools write nothing", [](CommandRun& r) { r.processes.onRun = nullptr; }, false,
         "kvx500pc.exe wrote no table"},
        {"paper data unreadable", [](CommandRun& r) { r.files.FailRead(kTempData); }, true,
         std::string("cannot read ") + kTempData},
        {"chosen file not writable", [](CommandRun& r) { r.files.FailWrite(kChosen); }, true,
         std::string("cannot write ") + kChosen},
        // Not made writable by this command: the paper data of the leftover source
        // would be another paper's.
        {"read-only temporary source",
         [](CommandRun& r) { r.files.Put(kTempSource, "old", win::kAttributeReadOnly); }, false,
         std::string("cannot remove the earlier ") + kTempSource},
    };
    for (const auto& c : cases) {
        CommandRun run;
        run.ui.saveChoice = kChosen;
        c.arrange(run);
        run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDM_POPUP_SAVE); });
        EXPECT_EQ(run.Messages(),
                  std::vector<std::string>{run.Text(IDS_DATA_SAVE_FAILED) + "\n" + c.reason})
            << c.what;
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Error);
        EXPECT_FALSE(run.files.Has(kChosen)) << c.what;
        EXPECT_EQ(run.files.Has(kTempData), c.temporaryDataStays) << c.what;
    }
}

TEST(PrinterDataCommands, DoNothingWithoutASelectedPaper) {
    CommandRun run;
    run.SetSources({}, {});
    run.ui.saveChoice = kChosen;
    run.Run([&](Dlg&, HeadlessWindow& w) {
        for (int command : {IDM_POPUP_SAVE, IDM_POPUP_SEND, IDC_MAIN_SEND}) w.Click(command);
    });
    EXPECT_TRUE(run.ui.fileDialogs.empty());
    EXPECT_TRUE(run.processes.runs.empty());
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_EQ(run.ui.modalRuns, std::vector<int>{IDD_MAIN});
}

TEST(SendToPrinter, OpensTheTransferDialogWithPathPrinterAndLine) {
    for (int command : {IDC_MAIN_SEND, IDM_POPUP_SEND}) {
        CommandRun run;
        run.spooler.ports["Shelf"] = "USB001";
        run.paperData = "paper data";
        run.ui.OnDialog(IDD_TRANSFER, [&](HeadlessWindow& t) {
            EXPECT_EQ(t.Text(IDC_TR_PRINTER), "Shelf");
            EXPECT_EQ(t.Text(IDC_TR_PAPER), "User C mm");
            // The temporary source and table are gone before the dialog runs.
            EXPECT_FALSE(run.files.Has(kTempSource));
            EXPECT_FALSE(run.files.Has(kTempTable));
            t.Click(win::kIdOk);
        });
        run.Run([&](Dlg&, HeadlessWindow& w) {
            w.Choose(IDC_MAIN_LIST, 2);
            w.Click(command);
        });
        EXPECT_EQ(run.ui.modalRuns, (std::vector<int>{IDD_MAIN, IDD_TRANSFER})) << command;
        // The dialog sent the paper data that the build left.
        ASSERT_EQ(run.transport.usb.calls.size(), 2u) << command;
        EXPECT_EQ(run.transport.usb.calls[1].bytes, "paper data");
        EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_TRANSFER_DONE)});
        EXPECT_TRUE(run.files.Has(kTempData));
        ASSERT_EQ(run.compiledSources.size(), 1u);
        EXPECT_NE(run.compiledSources[0].find("User C mm"), std::string::npos);
        EXPECT_EQ(run.compiledSources[0].find("User D mm"), std::string::npos);
        EXPECT_FALSE(run.Touched(mwtest::kDriverFolder));
    }
}

TEST(SendToPrinter, PaperDataOfAnUnwritableSourceIsNotSent) {
    CommandRun run;
    run.spooler.ports["Shelf"] = "USB001";
    run.files.Put(kTempSource, "another paper", win::kAttributeReadOnly);
    run.files.Put(kTempData, "another paper's data");
    run.ui.OnDialog(IDD_TRANSFER, [](HeadlessWindow& t) { t.Click(win::kIdOk); });
    run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_SEND); });
    EXPECT_TRUE(run.transport.usb.calls.empty());
    EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_DATA_UNREADABLE)});
}

}  // namespace
