// Compiling a paper-table source text into a CompiledTable. The source is read with
// the same profile semantics as the program's own reader; unlike that reader, the
// compiler refuses anything it cannot represent exactly: a missing key, a value that
// is not a number or lies outside its field, an over-long text, more papers than a
// table holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "family/table_file.h"
#include "papertable/profile.h"

namespace family {

struct CompileResult {
    std::optional<CompiledTable> table;  // set only when `errors` is empty
    std::vector<std::string> errors;     // "[Section] key: reason"
};

CompileResult CompileSource(const papertable::ProfileFile& source);

// A source integer: optional blanks, then decimal with an optional minus sign or
// hexadecimal with "0x"; nothing else may follow. nullopt when it is not a number.
std::optional<int64_t> ParseSourceInteger(std::string_view text);
// A device code as the build pipeline reads it: hexadecimal, "0x" optional.
std::optional<int64_t> ParseCode(std::string_view text);

}  // namespace family
