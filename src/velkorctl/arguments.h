// The command line of velkorctl: a command, its operands (the printer queue first)
// and its options. Parsing only checks the form; values are judged by the commands,
// with the rules velkor applies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "papertable/paper_record.h"

namespace velkorctl {

enum class Command { List, Export, Import, Add, Delete, History, Restore, Check };
inline constexpr size_t kCommandCount = static_cast<size_t>(Command::Check) + 1;

// "list", "export", ...: the word that names the command on the command line.
std::string_view CommandWord(Command command);

// The values of `add`, as typed (numbers in the unit chosen, "." or the locale's
// decimal separator as the decimal point). Unset ones are taken from the paper the
// new one is copied from, as the editor shows them.
struct PaperOptions {
    std::string name;
    int16_t kind = papertable::kKindRoll;  // 74 roll, 75 label, 76 mark
    std::string width;
    std::optional<std::string> length, gap, markLength, markOffset;
    std::optional<std::string> top, bottom, left, right;
    std::optional<std::string> from;  // the name of the paper to copy
};

struct Invocation {
    std::optional<Command> command;  // none: the general help
    bool help = false;
    std::string queue;
    std::string operand;            // FOLDER, FILE, NAME or ENTRY after the queue
    std::optional<bool> inchUnits;  // --unit; none: the locale decides
    bool json = false;
    bool force = false;
    PaperOptions paper;
};

struct ParseResult {
    std::optional<Invocation> invocation;
    std::string error;  // one line, when there is no invocation
};

// Parses the arguments after the program name. "--help" (or "-h") anywhere asks for
// the help of the command named, or the general one; "help COMMAND" likewise.
// Options take their value as the next argument or after "="; "--" ends them.
ParseResult ParseArguments(const std::vector<std::string>& arguments);

// The kind words of --kind and of the lists: "roll", "label", "mark".
std::string_view KindWord(int16_t kind);

}  // namespace velkorctl
