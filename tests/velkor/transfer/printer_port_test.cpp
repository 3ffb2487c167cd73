#include "velkor/transfer/printer_port.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_spooler.h"
#include "tests/velkor/transfer/fakes.h"
#include "velkor/transfer/timed_write.h"

namespace transfer {
namespace {

using fakes::FakeSpooler;
using testing::FakeClock;
using testing::FakeSerialDevice;
using testing::FakeTransport;

TEST(PortKinds, ClassifiedByTheFirstThreeCharactersCaseSensitively) {
    const struct {
        const char* port;
        PortKind kind;
    } cases[] = {
        {"USB001", PortKind::Usb},  {"USB", PortKind::Usb},     {"usb001", PortKind::Other},
        {"COM3:", PortKind::Com},   {"COM1", PortKind::Com},    {"Com1:", PortKind::Other},
        {"LPT1:", PortKind::Other}, {"FILE:", PortKind::Other}, {"US", PortKind::Other},
        {"", PortKind::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyPort(c.port), c.kind) << c.port;
}

TEST(PortKinds, SerialPathDropsEveryColonAndModeTextCarriesTheBaudRate) {
    EXPECT_EQ(SerialDevicePath("COM1:"), "\\\\.\\COM1");
    EXPECT_EQ(SerialDevicePath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(SerialDevicePath(":COM:3:"), "\\\\.\\COM3");
    EXPECT_EQ(SerialModeText(115200), "115200,n,8,1");
    EXPECT_EQ(SerialModeText(9600), "9600,n,8,1");
}

class PrinterPortTest : public ::testing::Test {
protected:
    PrinterPortTest() {
        spooler.ports["Label USB"] = "USB001";
        spooler.ports["Label usb"] = "usb001";
        spooler.ports["Label COM"] = "COM1:";
        spooler.ports["Label LPT"] = "LPT1:";
    }
    FakeSpooler spooler;
    FakeTransport transport;
};

TEST_F(PrinterPortTest, AttachReadsAndClassifiesThePort) {
    const struct {
        const char* printer;
        const char* port;
        PortKind kind;
    } cases[] = {
        {"Label USB", "USB001", PortKind::Usb},   {"Label usb", "usb001", PortKind::Other},
        {"Label COM", "COM1:", PortKind::Com},    {"Label LPT", "LPT1:", PortKind::Other},
        {"Nobody knows me", "", PortKind::Other},
    };
    for (const auto& c : cases) {
        PrinterPort port(spooler, transport);
        port.Attach(c.printer);
        EXPECT_EQ(port.PrinterName(), c.printer);
        EXPECT_EQ(port.PortName(), c.port) << c.printer;
        EXPECT_EQ(port.Kind(), c.kind) << c.printer;
    }
}

TEST_F(PrinterPortTest, SetPortChangesTheAttachedQueue) {
    PrinterPort port(spooler, transport);
    port.Attach("Label COM");
    EXPECT_TRUE(port.SetPort("FILE:"));
    EXPECT_EQ(spooler.ports["Label COM"], "FILE:");
    EXPECT_EQ(port.PortName(), "COM1:");  // the name read on attach stays for the restore
    spooler.setPortFails = true;
    EXPECT_FALSE(port.SetPort("COM1:"));
}

TEST_F(PrinterPortTest, OpenSerialConfiguresTheLineInOrder) {
    PrinterPort port(spooler, transport);
    port.Attach("Label COM");
    ASSERT_TRUE(port.OpenSerial());
    EXPECT_TRUE(port.SerialOpen());
    EXPECT_EQ(transport.line.calls,
              (std::vector<std::string>{"Open \\\\.\\COM1", "Configure", "SetTimeouts", "Purge",
                                        "ClearErrors"}));
    EXPECT_EQ(transport.line.settings.mode, "115200,n,8,1");
    EXPECT_TRUE(transport.line.settings.dsrOutputFlow);
    EXPECT_TRUE(transport.line.settings.dtrHandshake);
    EXPECT_TRUE(transport.line.settings.oneStopBit);
    EXPECT_EQ(transport.line.timeouts.readIntervalMs, 20u);
    EXPECT_EQ(transport.line.timeouts.readTotalConstantMs, 100u);
    EXPECT_EQ(transport.line.timeouts.writeTotalConstantMs, 100u);
    port.CloseSerial();
    EXPECT_FALSE(port.SerialOpen());
    EXPECT_EQ(transport.line.openDevices, 0);
}

TEST_F(PrinterPortTest, OpenSerialFailuresCloseTheLine) {
    const struct {
        const char* name;
        bool openFails, configureFails, timeoutsFail;
        std::vector<std::string> calls;
    } cases[] = {
        {"open", true, false, false, {"Open \\\\.\\COM1"}},
        {"configure",
         false,
         true,
         false,
         {"Open \\\\.\\COM1", "Configure", "ClearErrors", "Close"}},
        {"time-outs",
         false,
         false,
         true,
         {"Open \\\\.\\COM1", "Configure", "SetTimeouts", "ClearErrors", "Close"}},
    };
    for (const auto& c : cases) {
        FakeTransport fresh;
        fresh.line.openFails = c.openFails;
        fresh.line.configureFails = c.configureFails;
        fresh.line.timeoutsFail = c.timeoutsFail;
        PrinterPort port(spooler, fresh);
        port.Attach("Label COM");
        EXPECT_FALSE(port.OpenSerial()) << c.name;
        EXPECT_FALSE(port.SerialOpen()) << c.name;
        EXPECT_EQ(fresh.line.calls, c.calls) << c.name;
        EXPECT_EQ(fresh.line.openDevices, 0) << c.name;
        EXPECT_FALSE(port.Send("x")) << c.name;  // a send retries the open, which fails again
        EXPECT_TRUE(fresh.line.received.empty()) << c.name;
    }
}

TEST_F(PrinterPortTest, OnlyComPortsOpenASerialLine) {
    for (const char* printer : {"Label USB", "Label LPT", "Nobody knows me"}) {
        PrinterPort port(spooler, transport);
        port.Attach(printer);
        EXPECT_FALSE(port.OpenSerial()) << printer;
    }
    EXPECT_EQ(transport.devicesMade, 0);
}

TEST_F(PrinterPortTest, UsbSendGoesThroughTheLibraryWithPortNameAndTimeOut) {
    PrinterPort port(spooler, transport);
    port.Attach("Label USB");
    EXPECT_TRUE(port.Send(std::string_view("\0ab", 3)));
    transport.usb.failingCalls.insert(1);
    EXPECT_FALSE(port.Send("cd"));
    ASSERT_EQ(transport.usb.calls.size(), 2u);
    EXPECT_EQ(transport.usb.calls[0].port, "USB001");
    EXPECT_EQ(transport.usb.calls[0].bytes, std::string("\0ab", 3));
    EXPECT_EQ(transport.usb.calls[0].timeoutMs, 1000u);
    EXPECT_EQ(transport.devicesMade, 0);
}

TEST_F(PrinterPortTest, ComSendOpensTheLineOnDemandAndKeepsItOpen) {
    PrinterPort port(spooler, transport);
    port.Attach("Label COM");
    EXPECT_TRUE(port.Send("first"));
    EXPECT_TRUE(port.Send("second"));
    EXPECT_EQ(transport.line.received, "firstsecond");
    EXPECT_EQ(transport.devicesMade, 1);
    EXPECT_TRUE(port.SerialOpen());
    port.CloseSerial();
}

TEST_F(PrinterPortTest, OtherKindsSendNothing) {
    for (const char* printer : {"Label usb", "Label LPT", "Nobody knows me"}) {
        PrinterPort port(spooler, transport);
        port.Attach(printer);
        EXPECT_FALSE(port.Send("data")) << printer;
    }
    EXPECT_TRUE(transport.usb.calls.empty());
    EXPECT_EQ(transport.devicesMade, 0);
}

TEST_F(PrinterPortTest, DeviceTakingHalfTheBytesFailsAfterTheTimeOut) {
    transport.line.capacity = 500;
    transport.line.maxPerWrite = 100;
    PrinterPort port(spooler, transport);
    port.Attach("Label COM");
    ASSERT_TRUE(port.OpenSerial());
    const uint64_t start = transport.clock.now;
    EXPECT_FALSE(port.Send(std::string(1000, 'x')));
    EXPECT_EQ(port.LastWritten(), 500u);
    EXPECT_EQ(transport.line.received.size(), 500u);
    EXPECT_GE(transport.clock.now - start, 1000u);
    EXPECT_LE(transport.clock.now - start, 1000u + transport.line.msPerStall);
    port.CloseSerial();
}

struct TimedWriteCase {
    const char* name;
    size_t length;
    size_t capacity;
    size_t maxPerWrite;
    int failingWrites;
    bool complete;
    size_t written;
};

TEST(TimedWrite, WritesUntilDoneOrDeadline) {
    const TimedWriteCase cases[] = {
        {"one call", 300, SIZE_MAX, SIZE_MAX, 0, true, 300},
        {"in pieces", 300, SIZE_MAX, 7, 0, true, 300},
        {"failed calls retried", 300, SIZE_MAX, SIZE_MAX, 5, true, 300},
        {"stalls at half", 300, 150, 64, 0, false, 150},
        {"refuses everything", 300, 0, SIZE_MAX, 0, false, 0},
        {"always failing", 300, SIZE_MAX, SIZE_MAX, 1000, false, 0},
        {"nothing to write", 0, 0, SIZE_MAX, 0, true, 0},
    };
    for (const auto& c : cases) {
        FakeTransport transport;
        transport.line.capacity = c.capacity;
        transport.line.maxPerWrite = c.maxPerWrite;
        transport.line.failingWrites = c.failingWrites;
        FakeSerialDevice device(transport.line, transport.clock);
        const std::string bytes(c.length, 'b');
        const auto result = WriteWithTimeLimit(device, transport.clock, bytes, 1000);
        EXPECT_EQ(result.complete, c.complete) << c.name;
        EXPECT_EQ(result.written, c.written) << c.name;
        EXPECT_EQ(transport.line.received, bytes.substr(0, c.written)) << c.name;
    }
}

TEST(TimedWrite, EachCallOffersTheRemainderAndNoneStartsAfterTheDeadline) {
    FakeTransport transport;
    transport.line.maxPerWrite = 40;
    transport.line.msPerWrite = 400;
    FakeSerialDevice device(transport.line, transport.clock);
    const auto result = WriteWithTimeLimit(device, transport.clock, std::string(100, 'r'), 1000);
    // Calls start at 0, 400 and 800 ms; at 1200 ms the deadline has passed.
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(transport.line.writeSizes, (std::vector<size_t>{100, 60, 20}));

    FakeTransport slow;
    slow.line.maxPerWrite = 10;
    slow.line.msPerWrite = 500;
    FakeSerialDevice slowDevice(slow.line, slow.clock);
    const auto late = WriteWithTimeLimit(slowDevice, slow.clock, std::string(100, 's'), 1000);
    EXPECT_FALSE(late.complete);
    EXPECT_EQ(late.written, 20u);
    EXPECT_EQ(slow.line.writeSizes.size(), 2u);
}

TEST(TimedWrite, DeadlineNearTheTopOfA32BitTickCountStillAllowsWriting) {
    FakeTransport transport;
    transport.clock.now = 0xFFFFFF00u;  // a 32-bit count would wrap before the deadline
    FakeSerialDevice device(transport.line, transport.clock);
    const auto result = WriteWithTimeLimit(device, transport.clock, "abc", 1000);
    EXPECT_TRUE(result.complete);
}

}  // namespace
}  // namespace transfer
