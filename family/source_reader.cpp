#include "family/source_reader.h"

#include <algorithm>

#include "family/source_encoding.h"
#include "family/source_integer.h"

namespace family {
namespace {

bool IsProfileSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The form in which names compare equal: ASCII letters in lower case, the rest as is.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

}  // namespace

std::string_view TrimProfileSpace(std::string_view text) {
    return TrimEnd(TrimStart(text));
}

SourceReader SourceReader::Parse(std::string_view bytes) {
    const std::string text = SourceBytesInAnsi(bytes);
    SourceReader reader;
    // The section of the lines before the first header, there even without any.
    reader.firstSection_.emplace("", 0);
    reader.sections_.emplace_back();
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        reader.AddLine(TrimProfileSpace(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return reader;
}

void SourceReader::AddLine(std::string_view line) {
    if (line.empty()) return;

    // A section header; a "[" without "]" starts a key line instead.
    const size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos) {
        Section section;
        section.name = UpToZero(TrimProfileSpace(line.substr(1, close - 1)));
        firstSection_.emplace(Folded(section.name), sections_.size());
        sections_.push_back(std::move(section));
        return;
    }

    Section& section = sections_.back();
    const size_t equals = line.find('=');
    const std::string_view name =
        equals == std::string_view::npos ? line : TrimEnd(line.substr(0, equals));
    // Of several lines in a row without a name only the first counts.
    if (name.empty() && !section.entries.empty() && section.entries.back().name.empty()) return;
    Entry entry;
    entry.name = UpToZero(name);
    if (equals != std::string_view::npos) {
        entry.value = std::string(UpToZero(TrimStart(line.substr(equals + 1))));
    }
    section.firstEntry.emplace(Folded(entry.name), section.entries.size());
    section.entries.push_back(std::move(entry));
}

const SourceReader::Section* SourceReader::FindSection(std::string_view name) const {
    const auto found = firstSection_.find(Folded(name));
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

const SourceReader::Entry* SourceReader::FindEntry(std::string_view section,
                                                   std::string_view key) const {
    const Section* found = FindSection(TrimProfileSpace(section));
    if (!found) return nullptr;
    const auto entry = found->firstEntry.find(Folded(TrimProfileSpace(key)));
    return entry == found->firstEntry.end() ? nullptr : &found->entries[entry->second];
}

bool SourceReader::HasSection(std::string_view name) const {
    return FindSection(TrimProfileSpace(name)) != nullptr;
}

bool SourceReader::ListsEntries(std::string_view name) const {
    const Section* section = FindSection(name);
    if (!section) return false;
    // Comments are left out, and so is a line that holds nothing before a zero byte.
    return std::any_of(section->entries.begin(), section->entries.end(), [](const Entry& e) {
        return !e.name.starts_with(';') && (!e.name.empty() || e.value);
    });
}

std::optional<std::string> SourceReader::Text(std::string_view section, std::string_view key,
                                              size_t bufferBytes) const {
    const Entry* entry = FindEntry(section, key);
    if (!entry || !entry->value) return std::nullopt;
    if (bufferBytes == 0) return std::string();
    std::string_view value = *entry->value;
    const size_t room = bufferBytes - 1;
    if (value.size() < 2 || !IsQuote(value.front()) || value.back() != value.front()) {
        return std::string(value.substr(0, room));
    }
    // The platform copies from after the opening quote and, when the buffer is at
    // least as long as that rest, drops the last character copied: the closing
    // quote, or the last one before it when the buffer was one short of it.
    value.remove_prefix(1);
    std::string copy(value.substr(0, room));
    if (bufferBytes >= value.size() && !copy.empty()) copy.pop_back();
    return copy;
}

uint32_t SourceReader::Integer(std::string_view section, std::string_view key) const {
    const auto text = Text(section, key, kIntegerTextBytes);
    if (!text || text->empty()) return 0;
    return ParseSourceInteger(*text).value;
}

}  // namespace family
