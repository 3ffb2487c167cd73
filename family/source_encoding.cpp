#include "family/source_encoding.h"

#include <optional>

#include "family/code_page.h"

namespace family {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
constexpr char16_t kReplacement = 0xFFFD;

// A trailing odd byte is no code unit and is dropped.
std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

void AppendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// The number of bytes of the sequence `lead` starts; 0 when it starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead < 0xE0) return 2;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xF0 && lead < 0xF5) return 4;
    return 0;
}

// The code point of the `length` bytes at the start of `bytes`; nullopt when they
// are no well-formed sequence (cut short, overlong, a surrogate, beyond U+10FFFF).
std::optional<char32_t> DecodeSequence(std::string_view bytes, size_t length) {
    if (length == 0 || length > bytes.size()) return std::nullopt;
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t c = static_cast<unsigned char>(bytes[0]) & kLeadBits[length];
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = c << 6 | (next & 0x3F);
    }
    if (c < kLeast[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return std::nullopt;
    return c;
}

// A byte that starts no well-formed sequence becomes one replacement character.
std::u16string Utf8Units(std::string_view bytes) {
    std::u16string out;
    while (!bytes.empty()) {
        const size_t length = SequenceLength(static_cast<unsigned char>(bytes[0]));
        const auto c = DecodeSequence(bytes, length);
        AppendCodePoint(out, c.value_or(kReplacement));
        bytes.remove_prefix(c ? length : 1);
    }
    return out;
}

}  // namespace

std::string SourceBytesInAnsi(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return Utf16ToAnsi(Utf8Units(bytes.substr(kUtf8Mark.size())));
    }
    if (bytes.starts_with(kUtf16LittleMark)) {
        return Utf16ToAnsi(Utf16Units(bytes.substr(kUtf16LittleMark.size()), false));
    }
    if (bytes.starts_with(kUtf16BigMark)) {
        return Utf16ToAnsi(Utf16Units(bytes.substr(kUtf16BigMark.size()), true));
    }
    return std::string(bytes);
}

}  // namespace family
