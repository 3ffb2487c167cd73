// The texts the main window shows for a paper: its list line and its details.
#pragma once

#include <string>

#include "papertable/paper_record.h"

namespace mainwindow {

inline constexpr size_t kListLineBytes = 260;  // ANSI bytes with the terminator

struct PaperDetails {
    std::string width;   // "50.0 mm", "1.97 \""
    std::string length;  // "-- mm" for a paper without fixed length
    std::string energy;  // byEnergyRank, "%d"
    bool operator==(const PaperDetails&) const = default;
};

// Width, length and energy rank in the unit, with `separator` as decimal point.
PaperDetails FormatPaperDetails(const papertable::PaperRecord& paper, bool inch, char separator);

// The paper's name in the unit, in the ANSI code page (at most 259 bytes). A name
// that cannot be converted gives an empty line, so that line i stays paper i.
std::string PaperListLine(const papertable::PaperRecord& paper, bool inch);

}  // namespace mainwindow
