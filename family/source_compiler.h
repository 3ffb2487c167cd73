// Compiling a paper-table source into a CompiledTable by the program's own reading
// rules (docs/source-file.md, "Reading rules of the program"), read through the
// family's own SourceReader, so that the table holds what the program reads: the
// papers are the sections Paper00 upward to the first one the program would not
// read (at most 100), integers are cut to their fields, device codes taken by their
// low byte, texts cut by whole characters to their fields. What was cut or left out
// is a warning. Only a source that gives no usable table is refused: no readable
// "Model" section or resolution, a first paper section that gives no paper, a paper
// of width 0. docs/formats.md lists every rule.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "family/source_reader.h"
#include "family/table_file.h"

namespace family {

struct CompileResult {
    std::optional<CompiledTable> table;  // set only when `errors` is empty
    std::vector<std::string> errors;     // "[Section] key: reason", in reading order
    std::vector<std::string> warnings;   // the same form, in reading order
};

CompileResult CompileSource(const SourceReader& source);

// The sensing a paper's record gets: item 6 of reserved_12_ when it is 0, 1 or 2,
// otherwise continuous for the kind without fixed length (74) and gap for others.
uint8_t SensingOf(int item6, int16_t nType);

}  // namespace family
