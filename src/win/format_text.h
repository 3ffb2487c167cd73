// Message texts of the language module that take one string argument ("%s").
#pragma once

#include <string>
#include <string_view>

namespace win {

// Puts `argument` in place of the first "%s" of `format` and turns "%%" into "%".
// Any other "%" sequence is kept as it stands, so a text of the module can never
// make the formatting read arguments that are not there.
std::string FormatText(std::string_view format, std::string_view argument);

}  // namespace win
