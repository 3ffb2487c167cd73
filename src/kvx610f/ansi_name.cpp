#include "kvx610f/ansi_name.h"

#include <cstring>

#include "kvx610f/caps_records.h"

namespace kvx610f {

void FitAnsiName(const char* converted, char* out, LeadBytePredicate isLeadByte) {
    std::memset(out, 0, kAnsiNameSize);
    size_t used = 0;
    while (converted[used] != '\0') {
        const auto byte = static_cast<uint8_t>(converted[used]);
        const size_t width = isLeadByte(byte) && converted[used + 1] != '\0' ? 2 : 1;
        if (used + width > kAnsiNameSize - 1) break;
        used += width;
    }
    std::memcpy(out, converted, used);
}

}  // namespace kvx610f
