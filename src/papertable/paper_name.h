// A paper name as the program shows, compares and edits it: ANSI text.
#pragma once

#include <string>

#include "papertable/paper_record.h"
#include "win/codepage.h"

namespace papertable {

// The name as ANSI; a double-byte code page needs up to two bytes a unit. Empty
// when it does not convert.
inline std::string AnsiName(const WideText<kNameUnits>& name) {
    return win::WideToAnsi(name, 2 * kNameUnits).value_or(std::string());
}

}  // namespace papertable
