#include "velkor/mainwindow/paper_list_edit.h"

namespace mainwindow {

std::string DeleteQuestion(std::string format, std::string_view name) {
    const auto at = format.find("%s");
    if (at != std::string::npos) format.replace(at, 2, name);
    return format;
}

}  // namespace mainwindow
