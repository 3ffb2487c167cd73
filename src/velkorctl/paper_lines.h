// How velkorctl prints papers: one line each, or a JSON array of the same facts.
//
// A line holds, separated by tabs: index, "built-in" or "user", the name in the
// chosen unit (ANSI), width, length ("--" without a fixed length), kind, paper ID
// and energy rank. Numbers are in the chosen unit as the editor shows them, always
// with "." as decimal point so that scripts read them alike on every locale.
#pragma once

#include <string>
#include <vector>

#include "papertable/paper_record.h"

namespace velkorctl {

struct PaperLine {
    int index = 0;
    const papertable::PaperRecord* paper = nullptr;
    bool inch = false;
};

std::string TextLine(const PaperLine& line);
std::string JsonArray(const std::vector<PaperLine>& lines);

}  // namespace velkorctl
