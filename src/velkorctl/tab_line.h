// One line of velkorctl's lists (papers, history entries): fields separated by tabs,
// so that a script splits them whatever blanks a name holds.
#pragma once

#include <span>
#include <string>

namespace velkorctl {

inline std::string TabSeparated(std::span<const std::string> fields) {
    std::string text;
    for (const auto& field : fields) text += (text.empty() ? "" : "\t") + field;
    return text;
}

}  // namespace velkorctl
