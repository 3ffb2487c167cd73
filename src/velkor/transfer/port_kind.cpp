#include "velkor/transfer/port_kind.h"

namespace transfer {

PortKind ClassifyPort(std::string_view portName) {
    const std::string_view head = portName.substr(0, 3);
    if (head == "USB") return PortKind::Usb;
    if (head == "COM") return PortKind::Com;
    return PortKind::Other;
}

std::string SerialDevicePath(std::string_view portName) {
    std::string path = "\\\\.\\";
    for (char c : portName) {
        if (c != ':') path += c;
    }
    return path;
}

std::string SerialModeText(uint32_t baudRate) {
    return std::to_string(baudRate) + ",n,8,1";
}

}  // namespace transfer
