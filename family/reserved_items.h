// The items of a paper's reserved_12_ text as the program reads them:
// comma-separated decimal integers counted from 0, only the first 100 characters
// examined; an empty or absent item is 0.
#pragma once

#include <cstddef>
#include <string_view>

namespace family {

inline constexpr size_t kReservedExaminedChars = 100;

// The text of item `index` within the examined characters; empty when absent.
std::string_view ReservedItemText(std::string_view reserved, int index);

// Item `index` read as the C library reads a decimal integer (leading white space,
// one sign, digits up to the first other character), kept to the range of int.
int ReservedItem(std::string_view reserved, int index);

}  // namespace family
