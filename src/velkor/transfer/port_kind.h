// How a printer's port is reached, decided from the port name alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace transfer {

enum class PortKind : int32_t {
    Usb = 1,    // through the transfer library
    Com = 3,    // straight to the serial device
    Other = 4,  // not reachable
};

// By the first three characters, case-sensitively: "USB" and "COM"; anything else
// (lower case, shorter names, LPT, FILE:) is Other.
PortKind ClassifyPort(std::string_view portName);

// The serial device path of a COM port: every ':' removed, behind "\\.\"
// ("COM1:" gives "\\.\COM1").
std::string SerialDevicePath(std::string_view portName);

// The line-mode text for the platform's DCB builder: "<baud>,n,8,1".
std::string SerialModeText(uint32_t baudRate);

}  // namespace transfer
