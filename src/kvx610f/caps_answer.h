// Answers of MyDeviceCapabilities over the tables built at attach.
#pragma once

#include <cstdint>

#include "kvx610f/caps_tables.h"

namespace kvx610f {

inline constexpr uint16_t kIndexPaperCaps = 257;
inline constexpr uint16_t kIndexVersion = 269;
inline constexpr uint16_t kIndexLengthRange = 270;
inline constexpr uint16_t kIndexRangeCount = 271;
inline constexpr uint16_t kIndexFixed274 = 274;
inline constexpr uint16_t kIndexFixed275 = 275;
inline constexpr uint16_t kIndexFixed276 = 276;
inline constexpr uint16_t kIndexModel = 278;
inline constexpr uint16_t kIndexPaperClips = 279;
inline constexpr uint16_t kIndexFixed280 = 280;

inline constexpr uint32_t kVersionAnswer = 0x309120E3;
inline constexpr uint32_t kNoAnswer = 0xFFFFFFFF;

// What a query takes from the caller's DEVMODEA.
struct QueryView {
    int xFactor = 1;
    int yFactor = 1;
    bool turned = false;
};

// Reads the resolution fields and the turned flag. The resolution fields count only
// when dmSize covers them, and the flag word only when dmDriverExtra covers bytes 22
// to 25 of the private part; otherwise the factors stay 1 and the flag clear.
QueryView ReadQuery(const uint8_t* devmode, const DeviceValues& device);

// `output` may be null (then only the count is returned); otherwise it must hold the
// count of records the same query returns with a null output.
uint32_t Answer(const CapsTables& tables, uint16_t index, void* output, const uint8_t* devmode);

}  // namespace kvx610f
