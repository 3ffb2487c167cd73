#include "papertable/profile_encoding.h"

#include <optional>
#include <span>

#include "win/codepage.h"

namespace papertable {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && b >= 0xC2) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        size_t n = 1;
        while (n <= extra && i + n < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + n]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + n]) & 0x3F);
            ++n;
        }
        if (n <= extra) {  // a sequence cut short
            out.push_back(kReplacement);
            i += n;
            continue;
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

// Converts piece by piece between zero characters, which the code-page layer
// takes as terminators.
std::string ToAnsi(const std::u16string& wide) {
    std::string out;
    size_t start = 0;
    while (start <= wide.size()) {
        size_t end = wide.find(u'\0', start);
        if (end == std::u16string::npos) end = wide.size();
        if (end > start) {
            const std::span<const char16_t> piece(wide.data() + start, end - start);
            // Every unit becomes at most two bytes in any ANSI code page.
            if (auto ansi = win::WideToAnsi(piece, piece.size() * 2 + 1)) out += *ansi;
        }
        if (end == wide.size()) break;
        out.push_back('\0');
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string DecodeProfileBytes(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return ToAnsi(DecodeUtf8(bytes.substr(3)));
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        return ToAnsi(DecodeUtf16(bytes.substr(2), false));
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") {
        return ToAnsi(DecodeUtf16(bytes.substr(2), true));
    }
    return std::string(bytes);
}

}  // namespace papertable
