// Plain edits of a paper table's slots: appending, removing, the identifiers of
// user papers, and a new paper made from a copy of another.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "papertable/paper_record.h"

namespace papertable {

// User papers take the identifiers 513 to 612.
inline constexpr int kFirstUserPaperId = 513;
inline constexpr int kLastUserPaperId = 612;

// The smallest user identifier no paper 0 to count - 1 uses; nullopt when all are
// taken.
std::optional<int16_t> FreePaperId(const PaperTable& table, int count);

// Turns a copy of a paper into a new user paper: not built in, both names `name`
// (ANSI, cut to 31 UTF-16 units, never inside a character), the free identifier
// (unchanged when none is free); every other field as copied.
void PrepareNewPaper(PaperRecord& working, const PaperTable& table, std::string_view name);

// Appends `paper` as the last paper and sets tableFull at 100 papers. False (and
// nothing changed) when the table is full already.
bool AppendPaper(PaperTable& table, const PaperRecord& paper);

// Removes the paper at `index`, moving the following ones one slot to the front.
// Gives the index to select afterwards: the paper that followed, or the new last
// paper when the last one was removed (-1 when none is left). An index outside the
// table changes nothing and is given back.
int RemovePaper(PaperTable& table, int index);

}  // namespace papertable
