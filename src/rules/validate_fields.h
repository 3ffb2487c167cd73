// Checking a paper before it is stored: its name, then every dimension against the
// model's limits. Only the first violation is reported.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "papertable/paper_record.h"
#include "rules/paper_fields.h"

namespace win {
class Strings;
}

namespace rules {

struct Violation {
    int messageId = 0;          // 1106 or 1110 shown by itself, or 1108 filled with the item
    std::vector<int> itemIds;   // strings naming the item; one, or a pair to join
    const char* joiner = "%s";  // how a pair is joined: "%s , %s", "%s + %s", "%s / %s"
    // Bounds in thousandths of the display unit, for the range line.
    std::optional<std::pair<int64_t, int64_t>> range;
    bool operator==(const Violation&) const = default;
};

struct ValidationInput {
    const papertable::PaperRecord& record;  // after BuildRecord
    bool markMode = false;
    EditMode editMode = EditMode::NewPaper;
    // The editor's table, papers 0 to its count - 1.
    std::span<const papertable::PaperRecord> papers;
};

// nullopt when the paper may be stored.
std::optional<Violation> ValidateFields(const ValidationInput& input, const PaperValues& values,
                                        const UnitSettings& units);

// The text of the message box for `violation`.
std::string ViolationText(const Violation& violation, win::Strings& strings,
                          const UnitSettings& units);

// `format` with its first "%s" replaced by `value`; any other "%" stays as it is.
std::string FillFirst(std::string_view format, std::string_view value);

}  // namespace rules
