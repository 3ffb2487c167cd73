// A profile file built in memory by the rules of the platform's profile writer, so
// that a whole source file is written to disk once. Plain lines and sections
// follow one another in the order written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace papertable {

class ProfileWriter {
public:
    // A line of plain text outside any section's keys (header, separators).
    void AppendLine(std::string_view text);
    // Writes `key=value` into `section`: an existing key (names compare as the
    // reader compares them) gets the new value in place, a new key goes after the
    // section's last entry, a new section goes at the end of the text.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Replaces the entries of `section` with `entries` ("key=value\0...\0\0", as a
    // whole-section read gives them), in their order.
    void WriteSection(std::string_view section, std::string_view entries);

    // The text with CR LF line ends.
    std::string Text() const;

    // The value as written after "=": cut at the first line break or zero byte,
    // and put in double quotes when the reader would otherwise change it (white
    // space at either end, or a pair of enclosing quotes).
    static std::string EncodeValue(std::string_view value);

private:
    // A section's header and entries always stand together, header first.
    struct Line {
        std::string text;
        int section = -1;  // index into sections_ for a section's header and entries
        bool header = false;
        std::string folded;  // the entry's key as names compare
    };
    struct Section {
        std::string name;
        std::string folded;
    };
    int FindOrAddSection(std::string_view name);
    size_t HeaderOf(int section) const;
    // One past the section's last line.
    size_t EndOf(int section) const;

    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

}  // namespace papertable
