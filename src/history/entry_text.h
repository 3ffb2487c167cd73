// The history's texts for the user: an entry's line in the history dialog or in
// velkorctl's list and the name of a change, from the strings of the language
// module and the user's date and time formats.
#pragma once

#include <string>

#include "history/history.h"
#include "win/services.h"
#include "win/strings.h"

namespace history {

class EntryTexts {
public:
    EntryTexts(win::Strings& strings, win::Locale& locale) : strings_(strings), locale_(locale) {}

    // "<date> <time>" in the user's formats ("2024-06-12 14:30:05" when the locale
    // cannot format it).
    std::string When(const win::LocalTime& time) const;
    // What replaced the set, as "deleted 'U0 mm'"; a restore names the restored
    // entry by the time it was kept.
    std::string Change(const paperset::ChangeDescription& change) const;
    std::string Papers(int count) const;
    // "<when>, <change>", as the restore question names the entry.
    std::string Name(const Entry& entry) const;
    // "<when>, <change>, <papers>", and the mark of a damaged entry.
    std::string Line(const Entry& entry) const;

private:
    win::Strings& strings_;
    win::Locale& locale_;
};

}  // namespace history
