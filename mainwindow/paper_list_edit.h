// Changes of the paper table made by the main window's list commands: preparing a
// new paper, storing the editor's result and removing a paper. Plain functions over
// the table, so that the window's handlers only run dialogs and refresh the list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"

namespace mainwindow {

// User papers take the identifiers 513 to 612.
inline constexpr int kFirstUserPaperId = 513;
inline constexpr int kLastUserPaperId = 612;

// The smallest user identifier no paper 0 to paperCount - 1 uses; nullopt when all
// are taken.
std::optional<int16_t> FreePaperId(const papertable::PaperTable& table);

// Turns the working copy of the selected paper into a new user paper: not built
// in, both names `name` (cut to 31 UTF-16 units, never inside a character), the
// free identifier (unchanged when none is free); every other field as copied.
void PrepareNewPaper(papertable::PaperRecord& working, const papertable::PaperTable& table,
                     std::string_view name);

// Appends `paper` as the last paper and sets tableFull at 100 papers. False (and
// nothing changed) when the table is full already.
bool AppendPaper(papertable::PaperTable& table, const papertable::PaperRecord& paper);

// Removes the paper at `index`, moving the following ones one slot to the front.
// Gives the index to select afterwards: the paper that followed, or the new last
// paper when the last one was removed (-1 when none is left). An index outside the
// table changes nothing and is given back.
int RemovePaper(papertable::PaperTable& table, int index);

// Message `format` with its first "%s" replaced by `name`. The name goes in as
// text, so a "%" in a paper name or a further directive in the message is no format.
std::string DeleteQuestion(std::string format, std::string_view name);

}  // namespace mainwindow
