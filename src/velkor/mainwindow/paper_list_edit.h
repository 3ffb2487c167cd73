// Texts of the main window's list commands, as plain functions, so that the
// window's handlers only run dialogs and refresh the list. (A new paper is made by
// papertable::PrepareNewPaper.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"
#include "papertable/table_edits.h"

namespace mainwindow {

// Message `format` with its first "%s" replaced by `name`. The name goes in as
// text, so a "%" in a paper name or a further directive in the message is no format.
std::string DeleteQuestion(std::string format, std::string_view name);

}  // namespace mainwindow
