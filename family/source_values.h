// Single values of a paper-table source, read by the program's own rules and cut to
// the compiled fields, with a warning whenever the value taken is not what the text
// plainly says: text passed over, a value cut to its field, a missing key.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "family/compile_notes.h"
#include "family/source_integer.h"
#include "family/source_reader.h"

namespace family {

// The program reads text keys into this many bytes.
inline constexpr size_t kTextBufferBytes = 260;

// A text key as the program reads it: nullopt when it counts as missing (absent,
// without "=", or starting with the program's missing-key mark \x01), and when it
// is empty unless `emptyAllowed`.
std::optional<std::string> ReadTextKey(const SourceReader& file, std::string_view section,
                                       std::string_view key, size_t bufferBytes = kTextBufferBytes,
                                       bool emptyAllowed = false);

// The reasons, joined by ", ", why `held` is not plainly what `text` says when read
// as an integer `parsed` into a field of `bits` bits; empty when it is.
std::string IntegerReasons(std::string_view text, const SourceInteger& parsed, int64_t held,
                           bool isSigned, int bits);

// Warns when `held`, the value a field of `bits` bits took from integer key `key`,
// is not plainly what the source says there.
void NoteInteger(const SourceReader& file, std::string_view section, std::string_view key,
                 int64_t held, bool isSigned, int bits, CompileNotes& notes);

// An integer key read as the program reads integer keys (absent or not a number
// is 0) and cut to T.
template <class T>
T ReadInteger(const SourceReader& file, std::string_view section, std::string_view key,
              CompileNotes& notes) {
    static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
    const T value = static_cast<T>(file.Integer(section, key));
    NoteInteger(file, section, key, value, std::is_signed_v<T>, 8 * sizeof(T), notes);
    return value;
}

// A device code as the build pipeline puts it on the converter's command line: the
// low byte of its hexadecimal reading by the C library (leading white space, a sign
// and "0x" accepted, reading stops at the first character that is no hexadecimal
// digit, nothing readable is 0); 0 when the key is missing.
uint8_t ReadCode(const SourceReader& file, std::string_view key, CompileNotes& notes);

// A text key cut by whole characters to the field's N - 1 bytes; empty when missing.
void ReadAnsiField(const SourceReader& file, std::string_view section, std::string_view key,
                   char* field, size_t fieldSize, CompileNotes& notes);

template <size_t N>
void ReadAnsiField(const SourceReader& file, std::string_view section, std::string_view key,
                   char (&field)[N], CompileNotes& notes) {
    ReadAnsiField(file, section, key, field, N, notes);
}

}  // namespace family
