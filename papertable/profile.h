// A profile (INI) file parsed once into memory. Every read answers exactly as the
// platform's GetPrivateProfileStringA / GetPrivateProfileIntA /
// GetPrivateProfileSectionA would on the same bytes, without reparsing the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace papertable {

class ProfileFile {
public:
    ProfileFile() = default;
    static ProfileFile Parse(std::string_view bytes);

    // GetPrivateProfileStringA(section, key, defaultValue, buffer, bufferSize): the
    // text the buffer would hold (without its terminator).
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, size_t bufferSize) const;
    // GetPrivateProfileIntA(section, key, defaultValue).
    unsigned GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // GetPrivateProfileSectionA(section, buffer, bufferSize): "key=value\0...\0\0",
    // cut at the buffer size as the platform cuts it.
    std::string GetSection(std::string_view section, size_t bufferSize) const;
    bool HasSection(std::string_view section) const;

private:
    struct Entry {
        std::string key;    // trimmed; empty for a line without "="
        std::string value;  // trimmed, quotes as in the file
        std::string line;   // the raw line, for the whole-section form
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> sections_;
};

}  // namespace papertable
