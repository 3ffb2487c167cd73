// What a run of velkorctl works with: the platform services, the language module's
// strings, and its two output streams. The Win32 entry and the tests each make one.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "win/services.h"
#include "win/strings.h"

namespace velkorctl {

struct Environment {
    const win::Services& services;
    // Loads the language module at `path`; null when it cannot be loaded.
    std::function<std::unique_ptr<win::Strings>(const std::string& path)> loadStrings;
    std::ostream& out;
    std::ostream& err;
};

// Writes the error line "velkorctl: " + `message` (line breaks become blanks) and
// gives `code` back.
int Fail(Environment& environment, int code, std::string_view message);
// The end of the line of a change that failed: nothing was changed, and what to do.
inline constexpr std::string_view kNothingChanged =
    "; nothing was changed: remove the cause and run the command again";
// A line on standard error about something that did not stop the command.
void Note(Environment& environment, std::string_view message);

}  // namespace velkorctl
