#include "velkor/transfer/printer_port.h"

#include <limits>

#include "velkor/transfer/timed_write.h"

namespace transfer {

PrinterPort::PrinterPort(win::Spooler& spooler, Transport& transport, PortSettings settings)
    : spooler_(spooler), transport_(transport), settings_(settings) {}

void PrinterPort::Attach(const std::string& printerName) {
    printerName_ = printerName;
    if (auto port = GetPort(printerName)) {
        portName_ = *port;
        kind_ = ClassifyPort(portName_);
    } else {
        portName_.clear();
        kind_ = PortKind::Other;
    }
}

std::optional<std::string> PrinterPort::GetPort(const std::string& printerName) {
    return spooler_.GetPort(printerName);
}

bool PrinterPort::SetPort(const std::string& newPortName) {
    return spooler_.SetPort(printerName_, newPortName);
}

bool PrinterPort::OpenSerial() {
    serial_.reset();
    if (kind_ != PortKind::Com) return false;
    auto device = transport_.NewSerialDevice();
    if (!device->Open(SerialDevicePath(portName_))) return false;

    const LineSettings line{.mode = SerialModeText(settings_.baudRate)};
    if (!device->Configure(line) || !device->SetTimeouts(settings_.timeouts)) {
        device->ClearErrors();
        device->Close();
        return false;
    }
    device->Purge();
    device->ClearErrors();
    serial_ = std::move(device);
    return true;
}

bool PrinterPort::Send(std::string_view bytes) {
    lastWritten_ = 0;
    switch (kind_) {
        case PortKind::Usb:
            // The library counts in 32 bits; a larger buffer cannot be handed over whole.
            if (bytes.size() > std::numeric_limits<uint32_t>::max()) return false;
            return transport_.Usb().Send(portName_, bytes, settings_.transferTimeoutMs);
        case PortKind::Com: {
            if (!serial_ && !OpenSerial()) return false;
            const TimedWriteResult result = WriteWithTimeLimit(*serial_, transport_.Clock(), bytes,
                                                               settings_.transferTimeoutMs);
            lastWritten_ = result.written;
            return result.complete;
        }
        case PortKind::Other:
            break;
    }
    return false;
}

void PrinterPort::CloseSerial() {
    if (serial_) serial_->Close();
    serial_.reset();
}

}  // namespace transfer
