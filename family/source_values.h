// Single values of a paper-table source, read by the program's own rules and cut to
// the compiled fields, with a warning whenever the value taken is not what the text
// plainly says: text passed over, a value cut to its field, a missing key.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "family/compile_notes.h"
#include "papertable/profile.h"
#include "papertable/source_reader.h"

namespace family {

// The reasons, joined by ", ", why `held` is not plainly what `text` says when read
// as an integer `parsed` into a field of `bits` bits; empty when it is.
std::string IntegerReasons(std::string_view text, const papertable::ProfileInteger& parsed,
                           int64_t held, bool isSigned, int bits);

// Warns when `held`, the value a field of `bits` bits took from integer key `key`,
// is not plainly what the source says there.
void NoteInteger(const papertable::ProfileFile& file, std::string_view section,
                 std::string_view key, int64_t held, bool isSigned, int bits, CompileNotes& notes);

// An integer key read as the program reads integer keys (absent or not a number
// is 0) and cut to T.
template <class T>
T ReadInteger(const papertable::ProfileFile& file, std::string_view section, std::string_view key,
              CompileNotes& notes) {
    static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
    const T value = static_cast<T>(file.GetInt(section, key, 0));
    NoteInteger(file, section, key, value, std::is_signed_v<T>, 8 * sizeof(T), notes);
    return value;
}

// A device code: the low byte of the code text's hexadecimal reading, as the build
// pipeline forms the converter's code argument; 0 when the key is missing.
uint8_t ReadCode(const papertable::ProfileFile& file, std::string_view key, CompileNotes& notes);

// A text key cut by whole characters to the field's N - 1 bytes; empty when missing.
void ReadAnsiField(const papertable::ProfileFile& file, std::string_view section,
                   std::string_view key, char* field, size_t fieldSize, CompileNotes& notes);

template <size_t N>
void ReadAnsiField(const papertable::ProfileFile& file, std::string_view section,
                   std::string_view key, char (&field)[N], CompileNotes& notes) {
    ReadAnsiField(file, section, key, field, N, notes);
}

}  // namespace family
