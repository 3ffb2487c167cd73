// The text a profile file holds, in the ANSI code page, whatever its encoding.
#pragma once

#include <string>
#include <string_view>

namespace papertable {

// Bytes without a byte-order mark are ANSI text and come back unchanged. A UTF-8
// mark (EF BB BF) or a UTF-16 mark (FF FE little-endian, FE FF big-endian) is
// dropped and the rest converted to the ANSI code page; characters outside it
// become the code page's default character, zero characters stay zero bytes.
std::string DecodeProfileBytes(std::string_view bytes);

}  // namespace papertable
