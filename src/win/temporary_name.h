// Names of the temporary files through which files are replaced atomically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace win {

// "<path>.<8 hex digits of tag>.tmp": beside the destination, in the same folder,
// so that the final rename never crosses volumes.
std::string TemporarySiblingName(std::string_view path, uint32_t tag);

}  // namespace win
