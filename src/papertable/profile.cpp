#include "papertable/profile.h"

#include <algorithm>
#include <cstdint>

#include "papertable/profile_encoding.h"
#include "win/ascii_case.h"

namespace papertable {
namespace {

// A name or value ends at its first zero byte, as a C string would.
std::string CutAtZero(std::string_view text) {
    return std::string(text.substr(0, std::min(text.find('\0'), text.size())));
}

// The platform drops trailing blanks (only ' ') of a default value but never its
// first character.
std::string_view TrimDefault(std::string_view value) {
    value = value.substr(0, std::min(value.find('\0'), value.size()));
    while (value.size() > 1 && value.back() == ' ') value.remove_suffix(1);
    return value;
}

// Copies `value` into a buffer of `bufferSize` characters (terminator included) and
// drops a pair of enclosing quotes the way the platform does: the closing quote is
// removed only when the buffer is large enough to have held it.
std::string CopyEntry(std::string_view value, size_t bufferSize) {
    bool quoted = false;
    if (!value.empty() && (value[0] == '"' || value[0] == '\'') && value.size() > 1 &&
        value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, std::min(value.size(), bufferSize - 1)));
    if (quoted && bufferSize >= value.size() && !out.empty()) out.pop_back();
    return out;
}

// The integer read goes through a text buffer of 30 characters.
constexpr size_t kIntegerBuffer = 30;

}  // namespace

ProfileInteger ParseProfileInteger(std::string_view text) {
    ProfileInteger result;
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
            case 'x':
                base = 16;
                break;
            case 'o':
                base = 8;
                break;
            case 'b':
                base = 2;
                break;
            default:
                break;
        }
        if (base != 10) i += 2;
    }
    uint64_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'z') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'Z') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) break;
        total = total * base + digit;
        if (total > UINT32_MAX) {
            result.wrapped = true;
            total &= UINT32_MAX;
        }
        ++result.digits;
        result.end = i + 1;
    }
    const auto value = static_cast<uint32_t>(total);
    result.value = negative ? 0u - value : value;
    return result;
}

bool IsProfileSpace(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x09 && b <= 0x0D) || b == 0x20 || b == 0x1A;
}

std::string_view TrimProfileSpace(std::string_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Names compare without regard to case for ASCII letters only (measured: "\xC9"
// and "\xE9" are different names to the platform's profile functions under Wine).
std::string FoldProfileName(std::string_view name) {
    std::string folded =
        CutAtZero(TrimProfileSpace(name.substr(0, std::min(name.find('\0'), name.size()))));
    std::transform(folded.begin(), folded.end(), folded.begin(), win::FoldAsciiCase);
    return folded;
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
    const std::string text = DecodeProfileBytes(bytes);
    ProfileFile file;
    // Lines before the first section header belong to a section without a name.
    file.sections_.push_back(Section{});
    // Set while the last key line kept in this section had an empty name.
    bool previousNameless = false;

    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
        std::string_view line(text.data() + start, pos - start);
        while (pos < text.size() && (text[pos] == '\n' || text[pos] == '\r')) ++pos;

        line = TrimProfileSpace(line);
        if (line.empty()) continue;

        // A section header: "[" up to the last "]"; the rest of the line is ignored.
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                Section section;
                section.name = CutAtZero(TrimProfileSpace(line.substr(1, close - 1)));
                file.sections_.push_back(std::move(section));
                previousNameless = false;
                continue;
            }
        }

        // A key line; without "=" it is a key without a value.
        std::string_view name = line;
        std::optional<std::string_view> value;
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            name = TrimProfileSpace(line.substr(0, equals));
            value = TrimProfileSpace(line.substr(equals + 1));
        }
        // Of several lines with an empty name in a row only the first is kept.
        if (name.empty() && previousNameless) continue;

        Section& section = file.sections_.back();
        Entry entry;
        entry.key = CutAtZero(name);
        if (value) entry.value = CutAtZero(*value);
        section.firstEntry.try_emplace(FoldProfileName(entry.key), section.entries.size());
        previousNameless = entry.key.empty();
        section.entries.push_back(std::move(entry));
    }

    for (size_t i = 0; i < file.sections_.size(); ++i) {
        file.firstSection_.try_emplace(FoldProfileName(file.sections_[i].name), i);
    }
    return file;
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name, bool trimName) const {
    std::string folded;
    if (trimName) {
        folded = FoldProfileName(name);
    } else {
        folded = CutAtZero(name);
        std::transform(folded.begin(), folded.end(), folded.begin(), win::FoldAsciiCase);
    }
    const auto found = firstSection_.find(folded);
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

const ProfileFile::Entry* ProfileFile::FindEntry(std::string_view section,
                                                 std::string_view key) const {
    const Section* found = FindSection(section, true);
    if (found == nullptr) return nullptr;
    const auto entry = found->firstEntry.find(FoldProfileName(key));
    return entry == found->firstEntry.end() ? nullptr : &found->entries[entry->second];
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const Entry* entry = FindEntry(section, key);
    if (entry != nullptr && entry->value) return CopyEntry(*entry->value, bufferSize);
    return CopyEntry(TrimDefault(defaultValue), bufferSize);
}

unsigned ProfileFile::GetInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
    const std::string text = GetString(section, key, "", kIntegerBuffer);
    if (text.empty()) return static_cast<unsigned>(defaultValue);
    return ParseProfileInteger(text).value;
}

std::string ProfileFile::GetSection(std::string_view section, size_t bufferSize) const {
    if (bufferSize <= 2) return std::string(bufferSize, '\0');
    // The whole-section read looks the name up as given, without trimming it.
    const Section* found = FindSection(section, false);
    if (found == nullptr) return std::string(2, '\0');

    // Mirrors the platform's copy loop: each string goes in with a bounded copy of at
    // most `left - 2` characters plus its terminator; when the room runs out the
    // last string is cut and the list still ends with two zero bytes.
    std::string buffer(bufferSize, '\0');
    size_t at = 0;
    size_t left = bufferSize;
    auto put = [&](std::string_view text) {
        const size_t n = std::min(text.size(), left - 2);
        std::copy_n(text.data(), n, buffer.begin() + static_cast<std::ptrdiff_t>(at));
        buffer[at + n] = '\0';
        left -= n + 1;
        at += n + 1;
    };
    for (const Entry& entry : found->entries) {
        if (left <= 2) break;
        if (!entry.key.empty() && entry.key.front() == ';') continue;  // a comment
        if (entry.key.empty() && !entry.value) continue;
        put(entry.key);
        if (left < 2) break;
        if (entry.value) {
            buffer[at - 1] = '=';
            put(*entry.value);
        }
    }
    buffer[at] = '\0';
    if (left <= 1) buffer[at - 1] = '\0';
    buffer.resize(std::max<size_t>(at + 1, 2));
    return buffer;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section, true) != nullptr;
}

}  // namespace papertable
