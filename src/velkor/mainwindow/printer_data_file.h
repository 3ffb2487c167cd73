// The printer-data file that the save-printer-data command writes: a fixed 20-byte
// command header followed by the converter's paper data, byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mainwindow {

// Multi-byte values are little-endian byte arrays, so the layout holds on every
// host and needs no packing.
struct PrinterDataHeader {
    uint8_t command[9];  // ESC 'i' 'a' 1, ESC 'i' 'U' 'O' 0x10
    uint8_t seriesCode;
    uint8_t modelCode;
    uint8_t zero1;
    uint8_t length[4];  // of the paper data that follows: its low 32 bits
    uint8_t zero2[4];
};
static_assert(sizeof(PrinterDataHeader) == 20);
static_assert(offsetof(PrinterDataHeader, seriesCode) == 9);
static_assert(offsetof(PrinterDataHeader, modelCode) == 10);
static_assert(offsetof(PrinterDataHeader, zero1) == 11);
static_assert(offsetof(PrinterDataHeader, length) == 12);
static_assert(offsetof(PrinterDataHeader, zero2) == 16);

// The header for paper data of `length` bytes. The codes are the device record's
// code texts, read as hexadecimal numbers the way the converter gets them; only
// their low byte is kept.
PrinterDataHeader MakePrinterDataHeader(const std::string& seriesCode, const std::string& modelCode,
                                        uint64_t length);

// The whole file: header and paper data.
std::string PrinterDataFileBytes(const std::string& seriesCode, const std::string& modelCode,
                                 std::string_view paperData);

// The name offered by the save dialog: the program file's name without folder and
// extension. The name starts after the last "\", "/" or ":" and ends before its
// last "."; the trail byte of a double-byte character is never taken for either.
// `isLeadByte` tells the lead bytes of the ANSI code page.
std::string SuggestedDataFileName(std::string_view programPath, bool (*isLeadByte)(char));

}  // namespace mainwindow
