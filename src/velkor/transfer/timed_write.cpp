#include "velkor/transfer/timed_write.h"

#include <algorithm>

namespace transfer {

TimedWriteResult WriteWithTimeLimit(SerialDevice& device, TickClock& clock, std::string_view bytes,
                                    uint32_t timeoutMs) {
    const uint64_t deadline = clock.NowMs() + timeoutMs;
    size_t position = 0;
    while (position < bytes.size() && clock.NowMs() < deadline) {
        const std::optional<size_t> taken = device.Write(bytes.substr(position));
        if (!taken || *taken == 0) continue;
        // A device never reports more than it was given; clamp in case one does.
        position += std::min(*taken, bytes.size() - position);
    }
    return {position == bytes.size(), position};
}

}  // namespace transfer
