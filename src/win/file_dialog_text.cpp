#include "win/file_dialog_text.h"

#include <algorithm>

namespace win {

std::string FilterForFileDialog(std::string_view filter) {
    std::string result(filter.substr(0, filter.find('\0')));
    std::replace(result.begin(), result.end(), '|', '\0');
    if (result.empty() || result.back() != '\0') result.push_back('\0');
    return result;
}

std::vector<char> InitialPathBuffer(std::string_view suggestedName) {
    std::vector<char> buffer(kDialogPathBytes, '\0');
    if (suggestedName.size() < kDialogPathBytes &&
        suggestedName.find('\0') == std::string_view::npos) {
        std::copy(suggestedName.begin(), suggestedName.end(), buffer.begin());
    }
    return buffer;
}

}  // namespace win
