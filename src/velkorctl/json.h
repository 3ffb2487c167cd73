// The little JSON that velkorctl writes: strings with their escapes, in UTF-8
// whatever the ANSI code page, from UTF-16 (paper names) or from ANSI text.
#pragma once

#include <string>
#include <string_view>

namespace velkorctl {

// A JSON string of UTF-16 text, up to its first zero unit; a lone surrogate
// becomes U+FFFD.
std::string JsonString(std::u16string_view text);
// A JSON string of text in the ANSI code page.
std::string JsonStringFromAnsi(std::string_view ansi);

}  // namespace velkorctl
