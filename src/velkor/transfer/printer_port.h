// Raw bytes to a printer of the spooler: finds the queue's port, decides from its
// name how to reach the device, and writes through the transfer library (USB) or
// straight to the serial device (COM). Lives for one transfer; UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "velkor/transfer/devices.h"
#include "velkor/transfer/port_kind.h"
#include "win/services.h"

namespace transfer {

struct PortSettings {
    uint32_t transferTimeoutMs = 1000;  // limit for one whole send
    uint32_t baudRate = 115200;
    LineTimeouts timeouts;
};

class PrinterPort {
public:
    PrinterPort(win::Spooler& spooler, Transport& transport, PortSettings settings = {});
    PrinterPort(const PrinterPort&) = delete;
    PrinterPort& operator=(const PrinterPort&) = delete;

    // Stores the name, reads the queue's port and classifies it; a printer the
    // spooler cannot read gives an empty port name and kind Other.
    void Attach(const std::string& printerName);
    std::optional<std::string> GetPort(const std::string& printerName);
    // Changes the port of the attached printer's queue.
    bool SetPort(const std::string& newPortName);

    // COM kind only: opens and configures the line.
    bool OpenSerial();
    // The whole buffer within the transfer time-out; false when anything is left.
    bool Send(std::string_view bytes);
    void CloseSerial();

    const std::string& PrinterName() const { return printerName_; }
    const std::string& PortName() const { return portName_; }
    PortKind Kind() const { return kind_; }
    bool SerialOpen() const { return serial_ != nullptr; }
    // Bytes the device took in the last serial send.
    size_t LastWritten() const { return lastWritten_; }

private:
    win::Spooler& spooler_;
    Transport& transport_;
    PortSettings settings_;
    std::string printerName_;
    std::string portName_;
    PortKind kind_ = PortKind::Other;
    std::unique_ptr<SerialDevice> serial_;  // null while the line is closed
    size_t lastWritten_ = 0;
};

}  // namespace transfer
