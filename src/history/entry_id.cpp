#include "history/entry_id.h"

#include <cstdio>

namespace history {
namespace {

// The unsigned decimal number that is the whole of `digits`, of `width` digits
// when `width` is not 0; nullopt otherwise.
std::optional<int64_t> Number(std::string_view digits, size_t width) {
    if (digits.empty() || digits.size() > 15 || (width != 0 && digits.size() != width))
        return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool Plausible(const win::LocalTime& t) {
    return t.year >= 1601 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= 31 && t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

// The time from two runs of digits "yyyymmdd" and "hhmmss".
std::optional<win::LocalTime> TimeOf(std::string_view date, std::string_view clock) {
    const auto d = Number(date, 8);
    const auto c = Number(clock, 6);
    if (!d || !c) return std::nullopt;
    const win::LocalTime time{static_cast<int>(*d / 10000),     static_cast<int>(*d / 100 % 100),
                              static_cast<int>(*d % 100),       static_cast<int>(*c / 10000),
                              static_cast<int>(*c / 100 % 100), static_cast<int>(*c % 100)};
    if (!Plausible(time)) return std::nullopt;
    return time;
}

}  // namespace

std::string FormatEntryId(const EntryId& id) {
    const auto& t = id.kept;
    char name[64];
    std::snprintf(name, sizeof name, "%06lld-%04d%02d%02d-%02d%02d%02d",
                  static_cast<long long>(id.sequence), t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return name;
}

std::optional<EntryId> ParseEntryId(std::string_view name) {
    const auto first = name.find('-');
    if (first == std::string_view::npos || first < 6) return std::nullopt;
    const auto sequence = Number(name.substr(0, first), 0);
    const std::string_view rest = name.substr(first + 1);
    if (!sequence || rest.size() != 15 || rest[8] != '-') return std::nullopt;
    const auto kept = TimeOf(rest.substr(0, 8), rest.substr(9));
    if (!kept) return std::nullopt;
    return EntryId{*sequence, *kept};
}

std::string FormatKeptTime(const win::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::optional<win::LocalTime> ParseKeptTime(std::string_view text) {
    // "yyyy-mm-dd hh:mm:ss"
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const std::string date = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) +
                             std::string(text.substr(8, 2));
    const std::string clock = std::string(text.substr(11, 2)) + std::string(text.substr(14, 2)) +
                              std::string(text.substr(17, 2));
    return TimeOf(date, clock);
}

}  // namespace history
