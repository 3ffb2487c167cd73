// A profile (INI) file parsed once into memory. Every read answers exactly as the
// platform's GetPrivateProfileStringA / GetPrivateProfileIntA /
// GetPrivateProfileSectionA would on the same bytes, without reparsing the file.
//
// The rules, as measured on the platform (docs/source-file.md has the full list):
// lines end at CR or LF; white space (tab to CR, blank, 0x1A) around lines, names
// and values is dropped; "[name]" starts a section (up to the last "]"); section
// and key names compare without regard to ASCII case; the whole-section read does
// not trim the name it is given; lines before the first header form a section
// named ""; only the first section of a name is searched and the
// first key of a name in it wins; a line without "=" is a key without a value,
// which reads as the default; a value enclosed in a pair of equal quotes loses
// them; a zero byte ends a name or value. Names and texts are in the ANSI code
// page (Windows-1252 in native builds); a file starting with a UTF-8 or UTF-16
// byte-order mark is converted to it first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace papertable {

class ProfileFile {
public:
    ProfileFile() = default;
    static ProfileFile Parse(std::string_view bytes);

    // GetPrivateProfileStringA(section, key, defaultValue, buffer, bufferSize): the
    // text the buffer would hold (without its terminator). A null default is "".
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, size_t bufferSize) const;
    // GetPrivateProfileIntA(section, key, defaultValue).
    unsigned GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // GetPrivateProfileSectionA(section, buffer, bufferSize): "key=value\0...\0\0",
    // cut at the buffer size as the platform cuts it. The result always ends with
    // two zero bytes and is at most bufferSize bytes long; a buffer below 2 bytes
    // gets bufferSize zero bytes (the platform writes two zero bytes regardless).
    std::string GetSection(std::string_view section, size_t bufferSize) const;
    bool HasSection(std::string_view section) const;

private:
    struct Entry {
        std::string key;                   // trimmed, cut at a zero byte
        std::optional<std::string> value;  // trimmed, quotes as in the file; none without "="
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, size_t> firstEntry;  // folded key -> entry
    };

    const Section* FindSection(std::string_view name, bool trimName) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSection_;  // folded name -> section
};

// The platform's string-to-integer reading as GetInt applies it (base 0): blanks
// and control characters skipped, one sign, a "0x", "0o" or "0b" prefix (lower
// case only), digits up to the first one outside the base, 32-bit wrap-around.
struct ProfileInteger {
    unsigned value = 0;
    size_t digits = 0;     // digits read after the prefix; 0 when the text is no number
    size_t end = 0;        // one past the last digit read
    bool wrapped = false;  // the digits gave more than 32 bits
};
ProfileInteger ParseProfileInteger(std::string_view text);

// Character rules shared with the source-file writer, so that what it writes
// reads back unchanged.
bool IsProfileSpace(char c);
// The text with profile white space removed at both ends.
std::string_view TrimProfileSpace(std::string_view text);
// A key or section name in the form in which names compare equal.
std::string FoldProfileName(std::string_view name);

}  // namespace papertable
