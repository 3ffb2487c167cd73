// The name of an entry's folder: a sequence number, which orders the entries (the
// clock may be put back, the number never goes back), then the local time at which
// the entry was kept, for whoever looks into the folder: "000042-20240612-143005".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "win/services.h"

namespace history {

struct EntryId {
    int64_t sequence = 0;  // 1 for the first entry; at least six digits in the name
    win::LocalTime kept;
    bool operator==(const EntryId&) const = default;
};

std::string FormatEntryId(const EntryId& id);
// nullopt for a name of any other form (or a time that cannot be).
std::optional<EntryId> ParseEntryId(std::string_view name);

// The time as the description file holds it: "2024-06-12 14:30:05".
std::string FormatKeptTime(const win::LocalTime& time);
std::optional<win::LocalTime> ParseKeptTime(std::string_view text);

}  // namespace history
