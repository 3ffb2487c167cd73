#include "papertable/profile_writer.h"

#include <algorithm>

#include "papertable/profile.h"

namespace papertable {
namespace {

std::string_view KeyOf(std::string_view line) {
    return line.substr(0, std::min(line.find('='), line.size()));
}

std::string_view FirstLine(std::string_view text) {
    return text.substr(0, std::min(text.find_first_of(std::string_view("\r\n\0", 3)), text.size()));
}

}  // namespace

void ProfileWriter::AppendLine(std::string_view text) {
    lines_.push_back(Line{std::string(FirstLine(text)), -1, false, {}});
}

int ProfileWriter::FindOrAddSection(std::string_view name) {
    std::string folded = FoldProfileName(name);
    for (size_t i = sections_.size(); i-- > 0;) {
        if (sections_[i].folded == folded) return static_cast<int>(i);
    }
    sections_.push_back(Section{std::string(TrimProfileSpace(FirstLine(name))), std::move(folded)});
    const int index = static_cast<int>(sections_.size() - 1);
    lines_.push_back(Line{"[" + sections_.back().name + "]", index, true, {}});
    return index;
}

size_t ProfileWriter::HeaderOf(int section) const {
    // Writing goes mostly to the last section, so look from the end.
    for (size_t i = lines_.size(); i-- > 0;) {
        if (lines_[i].header && lines_[i].section == section) return i;
    }
    return lines_.size();
}

size_t ProfileWriter::EndOf(int section) const {
    size_t end = HeaderOf(section) + 1;
    while (end < lines_.size() && lines_[end].section == section) ++end;
    return end;
}

void ProfileWriter::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    const int index = FindOrAddSection(section);
    std::string folded = FoldProfileName(key);
    const std::string encoded = EncodeValue(value);
    const size_t end = EndOf(index);
    for (size_t i = HeaderOf(index) + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.folded == folded) {
            line.text = std::string(TrimProfileSpace(KeyOf(line.text))) + "=" + encoded;
            return;
        }
    }
    const std::string name(TrimProfileSpace(FirstLine(key)));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end),
                  Line{name + "=" + encoded, index, false, std::move(folded)});
}

void ProfileWriter::WriteSection(std::string_view section, std::string_view entries) {
    const int index = FindOrAddSection(section);
    const size_t header = HeaderOf(index);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1),
                 lines_.begin() + static_cast<std::ptrdiff_t>(EndOf(index)));
    std::vector<Line> added;
    while (!entries.empty() && entries.front() != '\0') {
        const std::string_view entry =
            entries.substr(0, std::min(entries.find('\0'), entries.size()));
        const std::string_view text = FirstLine(entry);
        added.push_back(Line{std::string(text), index, false, FoldProfileName(KeyOf(text))});
        entries.remove_prefix(std::min(entry.size() + 1, entries.size()));
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1), added.begin(),
                  added.end());
}

std::string ProfileWriter::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

std::string ProfileWriter::EncodeValue(std::string_view value) {
    value = FirstLine(value);
    if (value.empty()) return {};
    const bool spaced = IsProfileSpace(value.front()) || IsProfileSpace(value.back());
    const bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    std::string encoded;
    if (!spaced && !quoted) return encoded.assign(value);
    encoded.reserve(value.size() + 2);
    encoded.push_back('"');
    encoded.append(value);
    encoded.push_back('"');
    return encoded;
}

}  // namespace papertable
