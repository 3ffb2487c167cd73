// Texts handed to the system's file dialogs, prepared without the platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win {

// Size of the path buffer of the file and folder dialogs, terminator included.
inline constexpr size_t kDialogPathBytes = 260;

// "Text files|*.txt|" to the dialogs' form: the parts separated by NULs and the
// whole ended by two NULs (the second is the string's own terminator), whether or
// not the given filter ends with a separator.
std::string FilterForFileDialog(std::string_view filter);

// The dialog's path buffer, holding `suggestedName` when it fits with its
// terminator; a longer name is left out rather than cut to a different name.
std::vector<char> InitialPathBuffer(std::string_view suggestedName);

}  // namespace win
