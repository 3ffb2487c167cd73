#include "velkorctl/json.h"

#include <cstdio>

#include "win/codepage.h"

namespace velkorctl {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
        out += escape;
        return;
    }
    AppendUtf8(out, c);
}

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && text[i] != 0; ++i) {
        const char16_t unit = text[i];
        char32_t c = unit;
        if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
            c = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHigh(unit) || IsLow(unit)) {
            c = kReplacement;
        }
        AppendEscaped(out, c);
    }
    return out + "\"";
}

std::string JsonStringFromAnsi(std::string_view ansi) {
    // Any ANSI byte gives at most one UTF-16 unit.
    std::u16string wide(ansi.size() + 1, u'\0');
    if (!win::AnsiToWide(ansi, wide)) return JsonString(std::u16string_view(u"\uFFFD"));
    return JsonString(std::u16string_view(wide));
}

}  // namespace velkorctl
