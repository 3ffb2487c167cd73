// Fitting a converted name into the 50-byte ANSI fields.
#pragma once

#include <cstdint>

namespace kvx610f {

using LeadBytePredicate = bool (*)(uint8_t byte);

// Copies the NUL-terminated `converted` into `out` (kAnsiNameSize bytes): whole
// characters only, at most 49 bytes, always NUL-terminated. A double-byte character
// that would straddle the limit is dropped instead of being cut in half.
void FitAnsiName(const char* converted, char* out, LeadBytePredicate isLeadByte);

}  // namespace kvx610f
