// The text keys of a "PaperNN" section, which decide whether the program reads the
// paper at all: it stops at the first one that is missing, or at a name that does
// not fit its field of the record. Read in the program's reading order; the names
// go into the compiled record as UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "family/source_reader.h"
#include "lyt_api.h"

namespace family {

enum class PaperTextFault { kNone, kMissing, kTooLong };

struct PaperTexts {
    PaperTextFault fault = PaperTextFault::kNone;
    std::string faultKey;    // the key the reading stopped at
    size_t faultLength = 0;  // kTooLong: the most characters the field holds
    std::string reserved;    // reserved_12_
};

// Fills the four name fields of `paper`; on a fault they hold what was read so far.
PaperTexts ReadPaperTexts(const SourceReader& file, std::string_view section,
                          PaperInfoRecord& paper);

}  // namespace family
