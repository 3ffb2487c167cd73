// Changes of the paper table made by the main window's list commands: preparing a
// new paper, storing the editor's result and removing a paper. Plain functions over
// the table, so that the window's handlers only run dialogs and refresh the list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"
#include "papertable/table_edits.h"

namespace mainwindow {

// Turns the working copy of the selected paper into a new user paper: not built
// in, both names `name` (cut to 31 UTF-16 units, never inside a character), the
// free identifier (unchanged when none is free); every other field as copied.
void PrepareNewPaper(papertable::PaperRecord& working, const papertable::PaperTable& table,
                     std::string_view name);

// Message `format` with its first "%s" replaced by `name`. The name goes in as
// text, so a "%" in a paper name or a further directive in the message is no format.
std::string DeleteQuestion(std::string format, std::string_view name);

}  // namespace mainwindow
