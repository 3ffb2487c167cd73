// The real transfer paths under Wine: the serial line through the printer simulator
// on COM3 and the USB path through ornio.dll. Run by run-wine-transfer-test, which
// starts the simulator and names its recording files in VELKOR_SIM_DIR.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "resources/resource_ids.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"
#include "tests/velkor/transfer/sim/test_queue.h"
#include "velkor/transfer/printer_port.h"
#include "velkor/transfer/reg_paper_dlg.h"
#include "velkor/transfer/transport_win32.h"
#include "win/win32_services.h"

namespace transfer {
namespace {

using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

const std::string kPrefix("\x1b\x69\x61\x01", 4);
constexpr char kDataPath[] = "C:\\paper.bin";

std::string SimFile(const char* name) {
    const char* dir = std::getenv("VELKOR_SIM_DIR");
    return std::string(dir ? dir : ".") + "\\" + name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The simulator records what arrives a little after the writer is done.
std::string WaitForRecord(const std::string& path, size_t size) {
    std::string bytes;
    for (int i = 0; i < 100; ++i) {
        bytes = ReadAll(path);
        if (bytes.size() >= size) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return bytes;
}

// Large buffers: report sizes and the first difference, not the whole contents.
void ExpectSameBytes(const std::string& actual, const std::string& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    EXPECT_TRUE(a == actual.end() && e == expected.end())
        << "first difference at byte " << (a - actual.begin());
}

std::string PaperData(size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return data;
}

class WineTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim::EnsureQueue("Sim COM3", "COM3:"));
        ASSERT_TRUE(sim::EnsureQueue("Sim USB", "USB001"));
        ASSERT_TRUE(sim::EnsureQueue("Sim LPT", "LPT1:"));
    }

    // Runs the transfer dialog for `printer` and returns the message shown.
    std::string Transfer(const std::string& printer, const std::string& data) {
        files.files[kDataPath] = data;
        CRegPaperDlg dialog(ui, files, spooler, *transport);
        dialog.SetDataFilePath(kDataPath);
        dialog.SetPrinterName(printer);
        dialog.SetPaperText("Roll 62 mm");
        ui.OnDialog(IDD_TRANSFER, [](HeadlessWindow& w) { w.Click(win::kIdOk); });
        ui.messages.clear();
        dialog.RunModal(nullptr);
        return ui.messages.empty() ? "" : ui.messages.back().text;
    }

    HeadlessUi ui;
    fakes::MemoryFiles files;
    win::Win32Spooler spooler;
    std::unique_ptr<Transport> transport = MakeWin32Transport();
};

TEST_F(WineTransferTest, SerialPortReceivesPrefixAndDataAndGetsItsPortBack) {
    const std::string data = PaperData(3000);
    EXPECT_EQ(Transfer("Sim COM3", data), ui.strings[IDS_TRANSFER_DONE]);
    ExpectSameBytes(WaitForRecord(SimFile("serial-record.bin"), kPrefix.size() + data.size()),
                    kPrefix + data);
    EXPECT_EQ(spooler.GetPort("Sim COM3"), "COM3:");
}

TEST_F(WineTransferTest, UsbPortReceivesPrefixAndDataThroughTheLibrary) {
    const std::string data = PaperData(5000);
    EXPECT_EQ(Transfer("Sim USB", data), ui.strings[IDS_TRANSFER_DONE]);
    ExpectSameBytes(ReadAll(SimFile("usb001.bin")), kPrefix + data);
}

TEST_F(WineTransferTest, MissingUsbDeviceAndUnusablePortsFail) {
    EXPECT_FALSE(transport->Usb().Send("USB009", "abc", 1000));  // no device behind it
    EXPECT_FALSE(transport->Usb().Send("USB404", "abc", 1000));  // no entry at all
    EXPECT_EQ(Transfer("Sim LPT", "abc"), ui.strings[IDS_NO_PORT]);
    EXPECT_EQ(Transfer("No such printer", "abc"), ui.strings[IDS_NO_PORT]);
}

// Needs the simulator to stop reading after VELKOR_SIM_ACCEPT bytes.
TEST_F(WineTransferTest, StallingSerialDeviceFailsAfterAboutASecond) {
    const size_t accept = std::strtoul(std::getenv("VELKOR_SIM_ACCEPT"), nullptr, 10);
    const std::string data = PaperData(accept * 4);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Transfer("Sim COM3", data), ui.strings[IDS_SEND_FAILED]);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // It gives up at the limit, not before; the upper bound is far above it so that a
    // loaded machine does not fail the test, and still catches waiting many limits.
    EXPECT_GE(elapsed, std::chrono::milliseconds(900));
    EXPECT_LE(elapsed, std::chrono::seconds(10));
    ExpectSameBytes(WaitForRecord(SimFile("serial-record.bin"), accept),
                    (kPrefix + data).substr(0, accept));
    EXPECT_EQ(spooler.GetPort("Sim COM3"), "COM3:");

    // The count the port reports is what left the program, less than the whole.
    PrinterPort port(spooler, *transport);
    port.Attach("Sim COM3");
    EXPECT_FALSE(port.Send(data));
    EXPECT_LT(port.LastWritten(), data.size());
    port.CloseSerial();
}

}  // namespace
}  // namespace transfer
