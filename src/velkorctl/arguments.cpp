#include "velkorctl/arguments.h"

#include <algorithm>
#include <array>
#include <set>

#include "papertable/paper_record.h"
#include "rules/paper_fields.h"

namespace velkorctl {
namespace {

// Which commands take an option.
enum OptionGroup : unsigned {
    kUnitOption = 1,
    kJsonOption = 2,
    kForceOption = 4,
    kPaperOption = 8,
};

struct CommandEntry {
    Command command;
    std::string_view word;
    std::string_view operand;  // the operand after QUEUE; empty when there is none
    unsigned options;
};

constexpr std::array<CommandEntry, kCommandCount> kCommands = {{
    {Command::List, "list", "", kUnitOption | kJsonOption},
    {Command::Export, "export", "FOLDER", kUnitOption | kForceOption},
    {Command::Import, "import", "FILE", kUnitOption},
    {Command::Add, "add", "", kUnitOption | kPaperOption},
    {Command::Delete, "delete", "NAME", kUnitOption},
    {Command::History, "history", "", kUnitOption | kJsonOption},
    {Command::Restore, "restore", "ENTRY", kUnitOption},
    {Command::Check, "check", "FILE", kUnitOption | kJsonOption},
}};

struct KindName {
    int16_t kind;
    std::string_view word;
};
constexpr std::array<KindName, 3> kKinds = {{
    {papertable::kKindRoll, "roll"},
    {papertable::kKindLabel, "label"},
    {papertable::kKindMark, "mark"},
}};

const CommandEntry* FindCommand(std::string_view word) {
    for (const auto& entry : kCommands) {
        if (entry.word == word) return &entry;
    }
    return nullptr;
}

// Stores an option's value; false with `error` set when the value is not one the
// option takes.
using Store = bool (*)(Invocation& invocation, const std::string& value, std::string& error);

struct OptionSpec {
    std::string_view name;  // with its "--"
    unsigned group;
    bool takesValue;
    Store store;
};

template <std::optional<std::string> PaperOptions::*field>
bool StoreNumber(Invocation& invocation, const std::string& value, std::string&) {
    invocation.paper.*field = value;
    return true;
}

bool StoreUnit(Invocation& invocation, const std::string& value, std::string& error) {
    if (value == "mm" || value == "in") {
        invocation.inchUnits = value == "in";
        return true;
    }
    error = "--unit takes mm or in, not \"" + value + "\"";
    return false;
}

bool StoreKind(Invocation& invocation, const std::string& value, std::string& error) {
    for (const auto& kind : kKinds) {
        if (kind.word == value) {
            invocation.paper.kind = kind.kind;
            return true;
        }
    }
    error = "--kind takes roll, label or mark, not \"" + value + "\"";
    return false;
}

constexpr std::array<OptionSpec, 17> kOptions = {{
    {"--unit", kUnitOption, true, &StoreUnit},
    {"--json", kJsonOption, false,
     [](Invocation& i, const std::string&, std::string&) { return i.json = true; }},
    {"--force", kForceOption, false,
     [](Invocation& i, const std::string&, std::string&) { return i.force = true; }},
    {"--name", kPaperOption, true,
     [](Invocation& i, const std::string& value, std::string&) {
         i.paper.name = value;
         return true;
     }},
    {"--kind", kPaperOption, true, &StoreKind},
    {"--width", kPaperOption, true,
     [](Invocation& i, const std::string& value, std::string&) {
         i.paper.width = value;
         return true;
     }},
    {"--length", kPaperOption, true, &StoreNumber<&PaperOptions::length>},
    {"--gap", kPaperOption, true, &StoreNumber<&PaperOptions::gap>},
    {"--mark-length", kPaperOption, true, &StoreNumber<&PaperOptions::markLength>},
    {"--mark-offset", kPaperOption, true, &StoreNumber<&PaperOptions::markOffset>},
    {"--top", kPaperOption, true, &StoreNumber<&PaperOptions::top>},
    {"--bottom", kPaperOption, true, &StoreNumber<&PaperOptions::bottom>},
    {"--left", kPaperOption, true, &StoreNumber<&PaperOptions::left>},
    {"--right", kPaperOption, true, &StoreNumber<&PaperOptions::right>},
    {"--from", kPaperOption, true, &StoreNumber<&PaperOptions::from>},
    {"--help", 0, false, nullptr},
    {"-h", 0, false, nullptr},
}};

const OptionSpec* FindOption(std::string_view name) {
    for (const auto& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

bool IsHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

ParseResult Error(std::string text) {
    return ParseResult{std::nullopt, std::move(text)};
}

std::string SeeHelp(std::string_view word) {
    return "; run velkorctl " + std::string(word) + " --help";
}

// The options of `add` that its kind leaves unused (the editor disables their
// fields); empty when every option given applies.
std::string UnusedPaperOption(const Invocation& invocation, const std::set<std::string>& given) {
    const rules::KindFields used = rules::FieldsOfKind(invocation.paper.kind);
    const std::pair<const char*, bool> options[] = {
        {"--length", used.length},          {"--gap", used.gap},
        {"--mark-length", used.markLength}, {"--mark-offset", used.markOffset},
        {"--bottom", used.bottom},
    };
    for (const auto& [name, applies] : options) {
        if (!applies && given.count(name)) return name;
    }
    return {};
}

ParseResult CheckPaper(const Invocation& invocation, const std::set<std::string>& given) {
    for (const char* required : {"--name", "--kind", "--width"}) {
        if (!given.count(required))
            return Error(std::string("add needs ") + required + SeeHelp("add"));
    }
    const std::string unused = UnusedPaperOption(invocation, given);
    if (!unused.empty()) {
        const std::string_view kind =
            kKinds[static_cast<size_t>(rules::KindEntry(invocation.paper.kind))].word;
        std::string text = unused + " does not apply to --kind " + std::string(kind);
        if (unused == "--bottom") text += " (a roll's bottom margin is its top margin)";
        return Error(text + SeeHelp("add"));
    }
    return ParseResult{invocation, {}};
}

}  // namespace

std::string_view CommandWord(Command command) {
    for (const auto& entry : kCommands) {
        if (entry.command == command) return entry.word;
    }
    return {};
}

std::string_view KindWord(int16_t kind) {
    for (const auto& entry : kKinds) {
        if (entry.kind == kind) return entry.word;
    }
    return "label";  // what the editor makes of any other kind with a length
}

ParseResult ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Error("no command given; run velkorctl --help for the commands");
    Invocation invocation;
    const std::string& first = arguments[0];
    if (IsHelp(first) || first == "help") {
        invocation.help = true;
        if (arguments.size() > 1) {
            if (const auto* entry = FindCommand(arguments[1])) invocation.command = entry->command;
        }
        return ParseResult{invocation, {}};
    }
    const CommandEntry* entry = FindCommand(first);
    if (!entry) return Error("unknown command \"" + first + "\"; run velkorctl --help");
    invocation.command = entry->command;
    if (std::any_of(arguments.begin() + 1, arguments.end(),
                    [](const std::string& a) { return IsHelp(a); })) {
        invocation.help = true;
        return ParseResult{invocation, {}};
    }

    std::vector<std::string> operands;
    std::set<std::string> given;
    bool optionsEnded = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionSpec* option = FindOption(name);
        if (!option || (option->group & entry->options) == 0)
            return Error(first + " takes no option " + name + SeeHelp(first));
        if (!given.insert(name).second) return Error(name + " is given twice");
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) return Error(name + " takes no value");
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 == arguments.size()) return Error(name + " needs a value" + SeeHelp(first));
            value = arguments[++i];
        }
        std::string error;
        if (!option->store(invocation, value, error)) return Error(error);
    }

    const size_t wanted = entry->operand.empty() ? 1 : 2;
    if (operands.empty()) return Error(first + " needs QUEUE, the printer queue" + SeeHelp(first));
    if (operands.size() < wanted)
        return Error(first + " needs " + std::string(entry->operand) + " after QUEUE" +
                     SeeHelp(first));
    if (operands.size() > wanted)
        return Error("unexpected argument \"" + operands[wanted] + "\"" + SeeHelp(first));
    invocation.queue = operands[0];
    if (wanted == 2) invocation.operand = operands[1];
    if (entry->command == Command::Add) return CheckPaper(invocation, given);
    return ParseResult{invocation, {}};
}

}  // namespace velkorctl
