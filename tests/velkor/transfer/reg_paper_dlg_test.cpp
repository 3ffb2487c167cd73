#include "velkor/transfer/reg_paper_dlg.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_spooler.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"
#include "tests/velkor/transfer/fakes.h"

namespace transfer {
namespace {

using fakes::FakeSpooler;
using fakes::MemoryFiles;
using testing::FakeTransport;
using win::MessageKind;
using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

const std::string kPrefix("\x1b\x69\x61\x01", 4);
const std::string kPaperData("\x10\x00\x20paper data\xff", 14);
const char* const kDataPath = "C:\\temp\\paper.bin";

class RegPaperDlgTest : public ::testing::Test {
protected:
    RegPaperDlgTest() {
        spooler.ports["Label USB"] = "USB001";
        spooler.ports["Label COM"] = "COM3:";
        spooler.ports["Label LPT"] = "LPT1:";
        files.files[kDataPath] = kPaperData;
    }

    // Runs the dialog for `printer` and presses OK; returns the message ids shown.
    std::vector<std::string> Transfer(const std::string& printer) {
        CRegPaperDlg dialog(ui, files, spooler, transport);
        dialog.SetDataFilePath(kDataPath);
        dialog.SetPrinterName(printer);
        dialog.SetPaperText("Roll 62 mm");
        ui.OnDialog(IDD_TRANSFER, [&](HeadlessWindow& w) { w.Click(win::kIdOk); });
        result = dialog.RunModal(nullptr);
        std::vector<std::string> texts;
        for (const auto& m : ui.messages) texts.push_back(m.text);
        return texts;
    }
    std::string Text(int id) { return ui.strings[id]; }

    HeadlessUi ui;
    MemoryFiles files;
    FakeSpooler spooler;
    FakeTransport transport;
    int result = 0;
};

TEST_F(RegPaperDlgTest, ShowsPrinterAndPaperAndPlacesItselfWheneverShown) {
    CRegPaperDlg dialog(ui, files, spooler, transport);
    dialog.SetDataFilePath(kDataPath);
    dialog.SetPrinterName("Label USB");
    dialog.SetPaperText("Roll 62 mm");
    ui.OnDialog(IDD_TRANSFER, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.Text(IDC_TR_PRINTER), "Label USB");
        EXPECT_EQ(w.Text(IDC_TR_PAPER), "Roll 62 mm");
        EXPECT_EQ(w.placements, 1);  // the run shows the window once before the script
        w.Showing();                 // shown again: placed again
        EXPECT_EQ(w.placements, 2);
        win::Message hidden{win::Event::Show};
        hidden.shown = false;
        dialog.Dispatch(hidden);
        EXPECT_EQ(w.placements, 2);
        w.Click(win::kIdCancel);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdCancel);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(files.reads.empty());
    EXPECT_TRUE(transport.usb.calls.empty());
}

TEST_F(RegPaperDlgTest, UsbSendsPrefixThenFileInWritesOfTheirOwn) {
    EXPECT_EQ(Transfer("Label USB"), std::vector<std::string>{Text(IDS_TRANSFER_DONE)});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(result, win::kIdOk);
    ASSERT_EQ(transport.usb.calls.size(), 2u);
    EXPECT_EQ(transport.usb.calls[0].bytes, kPrefix);
    EXPECT_EQ(transport.usb.calls[1].bytes, kPaperData);
    EXPECT_EQ(transport.usb.calls[1].port, "USB001");
    EXPECT_TRUE(spooler.portChanges.empty());
}

TEST_F(RegPaperDlgTest, FailingPrefixSendsNoFileBytes) {
    transport.usb.failingCalls.insert(0);
    EXPECT_EQ(Transfer("Label USB"), std::vector<std::string>{Text(IDS_SEND_FAILED)});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    ASSERT_EQ(transport.usb.calls.size(), 1u);
    EXPECT_EQ(transport.usb.calls[0].bytes, kPrefix);
}

TEST_F(RegPaperDlgTest, FailingFileSendIsReported) {
    transport.usb.failingCalls.insert(1);
    EXPECT_EQ(Transfer("Label USB"), std::vector<std::string>{Text(IDS_SEND_FAILED)});
}

TEST_F(RegPaperDlgTest, PrinterWithoutUsableOrKnownPortOpensNoFile) {
    for (const char* printer : {"Label LPT", "Not installed"}) {
        ui.messages.clear();
        EXPECT_EQ(Transfer(printer), std::vector<std::string>{Text(IDS_NO_PORT)}) << printer;
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(result, win::kIdOk);
    }
    EXPECT_TRUE(files.reads.empty());
    EXPECT_TRUE(spooler.portChanges.empty());
    EXPECT_TRUE(transport.usb.calls.empty());
    EXPECT_EQ(transport.devicesMade, 0);
}

TEST_F(RegPaperDlgTest, UnreadableFileSendsNothing) {
    files.files.clear();
    for (const char* printer : {"Label USB", "Label COM"}) {
        ui.messages.clear();
        EXPECT_EQ(Transfer(printer), std::vector<std::string>{Text(IDS_DATA_UNREADABLE)});
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(result, win::kIdOk);
    }
    EXPECT_TRUE(transport.usb.calls.empty());
    EXPECT_TRUE(spooler.portChanges.empty());
    EXPECT_EQ(transport.devicesMade, 0);
}

TEST_F(RegPaperDlgTest, ComPortIsFreedDuringTheSendAndRestoredAfterwards) {
    std::vector<std::string> portsDuringWrites;
    transport.line.onWrite = [&] { portsDuringWrites.push_back(spooler.ports["Label COM"]); };
    EXPECT_EQ(Transfer("Label COM"), std::vector<std::string>{Text(IDS_TRANSFER_DONE)});
    EXPECT_EQ(transport.line.received, kPrefix + kPaperData);
    EXPECT_EQ(transport.line.writeSizes, (std::vector<size_t>{4, kPaperData.size()}));
    EXPECT_EQ(transport.line.calls.front(), "Open \\\\.\\COM3");
    EXPECT_EQ(transport.line.calls.back(), "Close");
    EXPECT_EQ(portsDuringWrites, (std::vector<std::string>{"FILE:", "FILE:"}));
    EXPECT_EQ(spooler.ports["Label COM"], "COM3:");
    EXPECT_EQ(spooler.portChanges, (std::vector<std::pair<std::string, std::string>>{
                                       {"Label COM", "FILE:"}, {"Label COM", "COM3:"}}));
}

TEST_F(RegPaperDlgTest, ComPortIsRestoredWhenSendingFails) {
    const struct {
        const char* name;
        bool openFails;
        size_t capacity;
        std::string received;
    } cases[] = {
        {"line cannot be opened", true, SIZE_MAX, ""},
        {"prefix stalls", false, 2, kPrefix.substr(0, 2)},
        {"file stalls", false, 10, (kPrefix + kPaperData).substr(0, 10)},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        spooler.portChanges.clear();
        transport = FakeTransport{};
        transport.line.openFails = c.openFails;
        transport.line.capacity = c.capacity;
        EXPECT_EQ(Transfer("Label COM"), std::vector<std::string>{Text(IDS_SEND_FAILED)}) << c.name;
        EXPECT_EQ(transport.line.received, c.received) << c.name;
        EXPECT_EQ(transport.line.openDevices, 0) << c.name;
        EXPECT_EQ(spooler.ports["Label COM"], "COM3:") << c.name;
        ASSERT_EQ(spooler.portChanges.size(), 2u) << c.name;
        EXPECT_EQ(spooler.portChanges[0].second, "FILE:") << c.name;
    }
}

TEST_F(RegPaperDlgTest, FailedPortChangeDoesNotStopTheSend) {
    spooler.setPortFails = true;
    EXPECT_EQ(Transfer("Label COM"), std::vector<std::string>{Text(IDS_TRANSFER_DONE)});
    EXPECT_EQ(transport.line.received, kPrefix + kPaperData);
}

TEST_F(RegPaperDlgTest, SendsTheFileHandedInNotTheDisplayedFields) {
    CRegPaperDlg dialog(ui, files, spooler, transport);
    dialog.SetDataFilePath(kDataPath);
    dialog.SetPrinterName("Label USB");
    dialog.SetPaperText("Roll");
    ui.OnDialog(IDD_TRANSFER, [&](HeadlessWindow& w) {
        w.Type(IDC_TR_PRINTER, "Label LPT");
        w.Click(win::kIdOk);
    });
    dialog.RunModal(nullptr);
    EXPECT_EQ(files.reads, std::vector<std::string>{kDataPath});
    EXPECT_EQ(transport.usb.calls.size(), 2u);
}

}  // namespace
}  // namespace transfer
