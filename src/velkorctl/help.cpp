#include "velkorctl/help.h"

#include <array>

namespace velkorctl {
namespace {

struct CommandHelp {
    Command command;
    const char* usage;    // after "velkorctl "
    const char* summary;  // one line for the general help
    const char* details;  // the command's own help, after its usage line
};

constexpr std::array<CommandHelp, 8> kHelp = {{
    {Command::List, "list QUEUE [--json]", "the model's papers in table order",
     "Prints the papers of the queue's model in table order, one a line, separated by\n"
     "tabs: index, built-in or user, name in the unit, width, length (-- for a roll),\n"
     "kind (roll, label, mark), paper ID, energy rank. Numbers are in the unit with\n"
     "\".\" as decimal point.\n"
     "  --json   the same as a JSON array of objects (UTF-8)\n"},
    {Command::Export, "export QUEUE FOLDER [--force]",
     "build the user papers and copy their three files into FOLDER",
     "As velkor's export button: builds the user papers and copies the source text,\n"
     "the compiled table and the paper data into FOLDER, and prints their paths.\n"
     "  --force  replace exported files that FOLDER holds already (without it, such\n"
     "           files make the export stop before anything is built)\n"},
    {Command::Import, "import QUEUE FILE", "install the user papers of a source file",
     "As velkor's import, without its questions: FILE must be a paper source of the\n"
     "queue's model (exported by velkor or velkorctl for that model). Its papers\n"
     "replace the user papers; the table is built and installed in the driver folder.\n"},
    {Command::Add,
     "add QUEUE --name NAME --kind roll|label|mark --width W [--length L] [--gap G]\n"
     "              [--mark-length M] [--mark-offset O] [--top T] [--bottom B]\n"
     "              [--left L] [--right R] [--from NAME]",
     "add a user paper, as the paper editor's \"save as new\"",
     "As the paper editor opened by velkor's Add and saved with \"save as new\": the\n"
     "new paper starts as a copy of the paper --from names (default: the first paper),\n"
     "each value given replaces its field, the other fields keep what the editor shows\n"
     "for that paper, and the editor's checks and range texts apply. Values are in the\n"
     "unit (--unit), with \".\" or the locale's decimal separator, 1 decimal in mm and\n"
     "2 in inches. --length and --bottom do not apply to a roll (its bottom margin is\n"
     "its top margin), --gap only to a label, --mark-length and --mark-offset only to\n"
     "a mark.\n"},
    {Command::Delete, "delete QUEUE NAME", "delete a user paper",
     "As velkor's delete, without its question: removes the user paper named NAME (in\n"
     "the unit, else in the other unit) and installs the table.\n"},
    {Command::History, "history QUEUE [--json]", "list the kept earlier paper sets",
     "Lists the paper sets that changes replaced and that were kept, newest first,\n"
     "one line an entry: the entry (as restore takes it), when it was kept, what\n"
     "replaced it, its user papers, and \"restorable\" or \"damaged:\" with the reason.\n"
     "  --json   the same as a JSON array\n"},
    {Command::Restore, "restore QUEUE ENTRY", "install a kept paper set again",
     "Installs the paper set of history entry ENTRY (as history lists it) again, as\n"
     "velkor's history dialog does; the set it replaces is kept in turn.\n"},
    {Command::Check, "check QUEUE FILE [--json]",
     "tell whether FILE is a source of the model and which papers it holds",
     "Reports whether FILE is a paper source of the queue's model and lists the user\n"
     "papers velkor would read from it, as list does, with their index in the table\n"
     "an import would make. Installs nothing.\n"
     "  --json   an object with the model, the file and the papers as a JSON array\n"},
}};

constexpr const char* kQueue =
    "QUEUE is the name of a printer queue exactly as the printer settings show it (in\n"
    "quotes when it holds blanks); its driver tells the model, as at velkor's start.\n";

constexpr const char* kCommon =
    "Options of every command:\n"
    "  --unit mm|in  the unit of names and values; default: the locale's, as velkor\n"
    "  --help        this text\n";

constexpr const char* kExitCodes =
    "Exit codes:\n"
    "  0  done\n"
    "  2  usage error: unknown command or option, a missing or extra argument\n"
    "  3  bad input: unknown queue or model, another model's file, a value out of\n"
    "     range, a name in use or not found, a full table, files in the way\n"
    "  4  build or install failed (the error line gives the reason), or files the\n"
    "     program needs are missing; nothing was changed\n"
    "  5  the model is busy: velkor or another velkorctl holds it; nothing was changed\n"
    "Errors are one line on standard error, starting with \"velkorctl: \".\n";

const CommandHelp& HelpOf(Command command) {
    for (const auto& help : kHelp) {
        if (help.command == command) return help;
    }
    return kHelp[0];
}

}  // namespace

std::string HelpText(std::optional<Command> command) {
    std::string text;
    if (command) {
        const CommandHelp& help = HelpOf(*command);
        text = std::string("usage: velkorctl ") + help.usage + "\n\n" + help.details + "\n" +
               kQueue + "\n" + kCommon + "\n" + kExitCodes;
        return text;
    }
    text =
        "velkorctl: the user paper formats of velkor, from scripts and remote shells.\n\n"
        "usage: velkorctl COMMAND QUEUE [ARGUMENT] [OPTIONS]\n"
        "       velkorctl COMMAND --help\n\n";
    text += kQueue;
    text += "\nCommands:\n";
    for (const auto& help : kHelp) {
        text += "  " + std::string(CommandWord(help.command));
        text.append(10 - CommandWord(help.command).size(), ' ');
        text += std::string(help.summary) + "\n";
    }
    text += std::string("\n") + kCommon + "\n" + kExitCodes;
    return text;
}

}  // namespace velkorctl
