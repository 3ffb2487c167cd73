// What the compiler had to say about a source: warnings for what it cut or left
// out, errors for what leaves no usable table. Each line names its place:
// "[Section] key: reason", or "[Section]: reason" for a whole section.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace family {

class CompileNotes {
public:
    void Warn(std::string_view section, std::string_view key, std::string_view reason) {
        warnings.push_back(Line(section, key, reason));
    }
    void Fail(std::string_view section, std::string_view key, std::string_view reason) {
        errors.push_back(Line(section, key, reason));
    }

    std::vector<std::string> warnings;
    std::vector<std::string> errors;

private:
    static std::string Line(std::string_view section, std::string_view key,
                            std::string_view reason) {
        std::string line = "[" + std::string(section) + "]";
        if (!key.empty()) line += " " + std::string(key);
        return line + ": " + std::string(reason);
    }
};

}  // namespace family
