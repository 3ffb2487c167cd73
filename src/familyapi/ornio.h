// The transfer library's send entry, exported by ordinal 1 only (no name).
//
// Port names map to devices through "ornio.ini" beside the library:
//
//     [Ports]
//     USB001=Z:\tmp\usb001.bin
//
// The value is any path the system can open for writing: a device path, or a file
// that stands in for the device (the bytes are appended to it). A port with no
// entry, or whose device cannot be opened, counts as a missing device.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef ORNIO_BUILD
#define ORNIO_API
#else
#define ORNIO_API __declspec(dllimport)
#endif

// Delivers `count` bytes to the device on `portName` within `timeoutMs`. Non-zero
// when every byte was delivered; 0 when the device is missing, a write fails or the
// time-out passes. `*written` (when given) receives the count delivered.
// `reserved` must be 0.
ORNIO_API BOOL WINAPI OrnioSend(DWORD reserved, const char* portName, const void* data, DWORD count,
                                DWORD* written, DWORD timeoutMs);

#ifdef __cplusplus
}
#endif
