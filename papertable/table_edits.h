// Plain edits of a paper table's slots: appending, removing, and the identifiers of
// user papers.
#pragma once

#include <cstdint>
#include <optional>

#include "papertable/paper_record.h"

namespace papertable {

// User papers take the identifiers 513 to 612.
inline constexpr int kFirstUserPaperId = 513;
inline constexpr int kLastUserPaperId = 612;

// The smallest user identifier no paper 0 to count - 1 uses; nullopt when all are
// taken.
std::optional<int16_t> FreePaperId(const PaperTable& table, int count);

// Appends `paper` as the last paper and sets tableFull at 100 papers. False (and
// nothing changed) when the table is full already.
bool AppendPaper(PaperTable& table, const PaperRecord& paper);

// Removes the paper at `index`, moving the following ones one slot to the front.
// Gives the index to select afterwards: the paper that followed, or the new last
// paper when the last one was removed (-1 when none is left). An index outside the
// table changes nothing and is given back.
int RemovePaper(PaperTable& table, int index);

}  // namespace papertable
