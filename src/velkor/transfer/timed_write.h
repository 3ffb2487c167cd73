// Writing a whole buffer to a serial line within a time limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "velkor/transfer/devices.h"

namespace transfer {

struct TimedWriteResult {
    bool complete = false;
    size_t written = 0;  // bytes the device took, complete or not
};

// Writes the remaining bytes in repeated calls until all are taken or `timeoutMs`
// have passed since the start. A call that fails or takes nothing is tried again
// while time remains; no call starts after the deadline.
TimedWriteResult WriteWithTimeLimit(SerialDevice& device, TickClock& clock, std::string_view bytes,
                                    uint32_t timeoutMs);

}  // namespace transfer
