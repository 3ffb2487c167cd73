#include "family/source_values.h"

#include <cstdio>
#include <cstdlib>

#include "family/code_page.h"

namespace family {
namespace {

// The program reads text keys with this default, so a text starting with it counts
// as missing.
constexpr char kMissingMark = '\x01';

void Append(std::string& reasons, const char* reason) {
    if (!reasons.empty()) reasons += ", ";
    reasons += reason;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Hexadecimal digits with an optional "0x", whose value fits one byte.
bool IsPlainCode(std::string_view text) {
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    while (text.size() > 2 && text[0] == '0') text.remove_prefix(1);
    if (text.empty() || text.size() > 2) return false;
    for (char c : text) {
        if (!IsHexDigit(c)) return false;
    }
    return true;
}

// `text` cut to at most `maxBytes` bytes, never inside a double-byte character.
std::string CutByCharacters(std::string_view text, size_t maxBytes) {
    size_t kept = 0;
    while (kept < text.size()) {
        const size_t length = IsAnsiLeadByte(text[kept]) && kept + 1 < text.size() ? 2 : 1;
        if (kept + length > maxBytes) break;
        kept += length;
    }
    return std::string(text.substr(0, kept));
}

uint8_t CodeByte(const std::string& text) {
    return static_cast<uint8_t>(std::strtoul(text.c_str(), nullptr, 16) & 0xFF);
}

}  // namespace

std::optional<std::string> ReadTextKey(const SourceReader& file, std::string_view section,
                                       std::string_view key, size_t bufferBytes,
                                       bool emptyAllowed) {
    auto text = file.Text(section, key, bufferBytes);
    if (!text || (text->empty() && !emptyAllowed) || text->starts_with(kMissingMark)) {
        return std::nullopt;
    }
    return text;
}

std::string IntegerReasons(std::string_view text, const SourceInteger& parsed, int64_t held,
                           bool isSigned, int bits) {
    std::string reasons;
    if (parsed.digits == 0) {
        Append(reasons, "not a number");
        return reasons;
    }
    if (parsed.end < text.size()) Append(reasons, "text after the number ignored");
    if (parsed.wrapped) Append(reasons, "more than 32 bits");
    const int64_t meant =
        isSigned ? int64_t{static_cast<int32_t>(parsed.value)} : int64_t{parsed.value};
    if (meant != held) {
        char cut[32];
        std::snprintf(cut, sizeof cut, "cut to %d bits", bits);
        Append(reasons, cut);
    }
    return reasons;
}

void NoteInteger(const SourceReader& file, std::string_view section, std::string_view key,
                 int64_t held, bool isSigned, int bits, CompileNotes& notes) {
    const auto text = ReadTextKey(file, section, key, kTextBufferBytes, true);
    const std::string value = std::to_string(held);
    if (!text) {
        notes.Warn(section, key, "missing, read as " + value);
        return;
    }
    if (text->empty()) {
        notes.Warn(section, key, "empty, read as " + value);
        return;
    }
    // The text the platform's integer read sees: the first 29 characters.
    const std::string read = file.Text(section, key, kIntegerTextBytes).value_or("");
    std::string reasons = IntegerReasons(read, ParseSourceInteger(read), held, isSigned, bits);
    if (read.size() < text->size()) {
        reasons = "only the first " + std::to_string(read.size()) + " characters read" +
                  (reasons.empty() ? "" : ", " + reasons);
    }
    if (!reasons.empty()) {
        notes.Warn(section, key, Quoted(*text) + " read as " + value + " (" + reasons + ")");
    }
}

uint8_t ReadCode(const SourceReader& file, std::string_view key, CompileNotes& notes) {
    const auto text = ReadTextKey(file, "Model", key);
    if (!text) {
        notes.Warn("Model", key, "missing, read as 0x00");
        return 0;
    }
    const uint8_t code = CodeByte(*text);
    if (!IsPlainCode(*text)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", code);
        notes.Warn(
            "Model", key,
            Quoted(*text) + " read as " + hex + " (the low byte of its hexadecimal reading)");
    }
    return code;
}

void ReadAnsiField(const SourceReader& file, std::string_view section, std::string_view key,
                   char* field, size_t fieldSize, CompileNotes& notes) {
    std::memset(field, 0, fieldSize);
    const auto text = ReadTextKey(file, section, key);
    if (!text) {
        notes.Warn(section, key, "missing, left empty");
        return;
    }
    const std::string cut = CutByCharacters(*text, fieldSize - 1);
    if (cut.size() < text->size()) {
        notes.Warn(section, key,
                   "cut to " + std::to_string(fieldSize - 1) + " bytes: " + Quoted(cut));
    }
    std::memcpy(field, cut.data(), cut.size());
}

}  // namespace family
