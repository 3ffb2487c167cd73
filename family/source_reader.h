// A paper-table source parsed once and read as the platform's profile functions
// read it (docs/source-file.md, "How the file is read"); only the reads the
// compiler makes.
//
// Lines end at CR or LF. White space (tab to CR, blank, 0x1A) around a line, a
// name or a value is dropped. "[name]" starts a section, the name running to the
// last "]"; lines before the first one form a section named "". "key=value", or a
// key without a value when the line has no "=". Names compare without regard to
// ASCII case; only the first section of a name is searched, and the first key of a
// name in it wins. A zero byte ends a name or value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace family {

// `text` without the profile's white space (tab to CR, blank, 0x1A) at either end.
std::string_view TrimProfileSpace(std::string_view text);

class SourceReader {
public:
    // `bytes` as the file holds them; a byte-order mark is dealt with here.
    static SourceReader Parse(std::string_view bytes);

    bool HasSection(std::string_view name) const;

    // Whether the whole-section read of `name` lists anything: false for a missing
    // section and for one of comments (";") only. The name is taken as given,
    // blanks and all, as that read takes it.
    bool ListsEntries(std::string_view name) const;

    // What a text read into a buffer of `bufferBytes` bytes gives: the value
    // without a pair of enclosing quotes, cut to bufferBytes - 1 bytes. nullopt when
    // the key is absent or has no "=": the read gives its default then.
    std::optional<std::string> Text(std::string_view section, std::string_view key,
                                    size_t bufferBytes) const;

    // The integer read: the first 29 characters of the value as ParseSourceInteger
    // reads them; 0 when the key is absent or its value empty.
    uint32_t Integer(std::string_view section, std::string_view key) const;

private:
    struct Entry {
        std::string name;
        std::optional<std::string> value;  // none without "="; quotes as in the file
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, size_t> firstEntry;  // folded name -> entry
    };

    void AddLine(std::string_view line);
    const Section* FindSection(std::string_view name) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSection_;  // folded name -> section
};

}  // namespace family
