// The command line of velkorctl: which argument lists it takes, what it makes of
// them, and the line it gives for the ones it refuses.
#include "velkorctl/arguments.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using velkorctl::Command;
using velkorctl::ParseArguments;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

TEST(Arguments, AcceptedCommandLines) {
    struct Case {
        std::vector<std::string> arguments;
        Command command;
        std::string queue;
        std::string operand;
    };
    const Case cases[] = {
        {{"list", "Ostrel LM-510"}, Command::List, "Ostrel LM-510", ""},
        {{"list", "--json", "Q"}, Command::List, "Q", ""},
        {{"export", "Q", "C:\\out"}, Command::Export, "Q", "C:\\out"},
        {{"export", "--force", "Q", "D"}, Command::Export, "Q", "D"},
        {{"import", "Q", "a file.txt"}, Command::Import, "Q", "a file.txt"},
        {{"delete", "Q", "My label"}, Command::Delete, "Q", "My label"},
        {{"delete", "Q", "--", "--odd name"}, Command::Delete, "Q", "--odd name"},
        {{"delete", "Q", "-"}, Command::Delete, "Q", "-"},
        {{"history", "Q"}, Command::History, "Q", ""},
        {{"restore", "Q", "3"}, Command::Restore, "Q", "3"},
        {{"check", "Q", "f.txt", "--unit", "in"}, Command::Check, "Q", "f.txt"},
        {{"add", "Q", "--name", "N", "--kind", "roll", "--width", "50"}, Command::Add, "Q", ""},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseArguments(c.arguments);
        ASSERT_TRUE(parsed.invocation) << c.arguments[0] << ": " << parsed.error;
        EXPECT_EQ(parsed.invocation->command, c.command);
        EXPECT_FALSE(parsed.invocation->help);
        EXPECT_EQ(parsed.invocation->queue, c.queue);
        EXPECT_EQ(parsed.invocation->operand, c.operand);
    }
}

TEST(Arguments, OptionsAndTheirValues) {
    auto parsed = ParseArguments(Words("list Q --json --unit mm"));
    ASSERT_TRUE(parsed.invocation);
    EXPECT_TRUE(parsed.invocation->json);
    EXPECT_EQ(parsed.invocation->inchUnits, false);

    parsed = ParseArguments(Words("export Q F --unit=in --force"));
    ASSERT_TRUE(parsed.invocation);
    EXPECT_TRUE(parsed.invocation->force);
    EXPECT_EQ(parsed.invocation->inchUnits, true);

    parsed = ParseArguments(Words("list Q"));
    ASSERT_TRUE(parsed.invocation);
    EXPECT_EQ(parsed.invocation->inchUnits, std::nullopt);  // the locale decides
    EXPECT_FALSE(parsed.invocation->json);

    // A value is the next argument whatever it looks like: a negative offset too.
    parsed = ParseArguments(
        {"add",  "Q",           "--name", "Mark 40",         "--kind=mark", "--width",
         "40.0", "--length",    "30",     "--mark-length",   "3",           "--mark-offset",
         "-1.5", "--top",       "1",      "--bottom",        "2",           "--left",
         "0.5",  "--right=0.5", "--from", "Label 50 x 30 mm"});
    ASSERT_TRUE(parsed.invocation) << parsed.error;
    const velkorctl::PaperOptions& paper = parsed.invocation->paper;
    EXPECT_EQ(paper.name, "Mark 40");
    EXPECT_EQ(paper.kind, papertable::kKindMark);
    EXPECT_EQ(paper.width, "40.0");
    EXPECT_EQ(paper.length, "30");
    EXPECT_EQ(paper.markLength, "3");
    EXPECT_EQ(paper.markOffset, "-1.5");
    EXPECT_EQ(paper.top, "1");
    EXPECT_EQ(paper.bottom, "2");
    EXPECT_EQ(paper.left, "0.5");
    EXPECT_EQ(paper.right, "0.5");
    EXPECT_EQ(paper.from, "Label 50 x 30 mm");
    EXPECT_EQ(paper.gap, std::nullopt);

    for (const auto& [kind, index] :
         {std::pair<const char*, int>{"roll", 74}, {"label", 75}, {"mark", 76}}) {
        parsed = ParseArguments({"add", "Q", "--name", "N", "--kind", kind, "--width", "50"});
        ASSERT_TRUE(parsed.invocation) << kind;
        EXPECT_EQ(parsed.invocation->paper.kind, index) << kind;
    }
}

TEST(Arguments, HelpWhereverItIsAsked) {
    struct Case {
        std::string line;
        std::optional<Command> command;
    };
    const Case cases[] = {
        {"--help", std::nullopt},
        {"-h", std::nullopt},
        {"help", std::nullopt},
        {"help add", Command::Add},
        {"help nonsense", std::nullopt},
        {"add --help", Command::Add},
        {"export Q --help", Command::Export},
        // Help wins over what would be refused otherwise.
        {"add Q --gap --help", Command::Add},
        {"restore -h extra arguments", Command::Restore},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseArguments(Words(c.line));
        ASSERT_TRUE(parsed.invocation) << c.line << ": " << parsed.error;
        EXPECT_TRUE(parsed.invocation->help) << c.line;
        EXPECT_EQ(parsed.invocation->command, c.command) << c.line;
    }
}

TEST(Arguments, RefusedCommandLinesSayWhy) {
    struct Case {
        std::string line;
        std::string error;
    };
    const Case cases[] = {
        {"", "no command given; run velkorctl --help for the commands"},
        {"frobnicate Q", "unknown command \"frobnicate\"; run velkorctl --help"},
        {"List Q", "unknown command \"List\"; run velkorctl --help"},
        {"list", "list needs QUEUE, the printer queue; run velkorctl list --help"},
        {"export Q", "export needs FOLDER after QUEUE; run velkorctl export --help"},
        {"import Q", "import needs FILE after QUEUE; run velkorctl import --help"},
        {"delete Q", "delete needs NAME after QUEUE; run velkorctl delete --help"},
        {"restore Q", "restore needs ENTRY after QUEUE; run velkorctl restore --help"},
        {"list Q extra", "unexpected argument \"extra\"; run velkorctl list --help"},
        {"check Q F G", "unexpected argument \"G\"; run velkorctl check --help"},
        {"list Q --force", "list takes no option --force; run velkorctl list --help"},
        {"import Q F --json", "import takes no option --json; run velkorctl import --help"},
        {"list Q --width 5", "list takes no option --width; run velkorctl list --help"},
        {"list Q --colour", "list takes no option --colour; run velkorctl list --help"},
        {"list Q --unit", "--unit needs a value; run velkorctl list --help"},
        {"list Q --unit cm", "--unit takes mm or in, not \"cm\""},
        {"list Q --unit MM", "--unit takes mm or in, not \"MM\""},
        {"list Q --json --json", "--json is given twice"},
        {"list Q --json=yes", "--json takes no value"},
        {"add Q --kind roll --width 50", "add needs --name; run velkorctl add --help"},
        {"add Q --name N --width 50", "add needs --kind; run velkorctl add --help"},
        {"add Q --name N --kind roll", "add needs --width; run velkorctl add --help"},
        {"add Q --name N --kind box --width 5", "--kind takes roll, label or mark, not \"box\""},
        {"add Q --name N --kind roll --width 5 --width 6", "--width is given twice"},
        // The fields the editor disables for the kind.
        {"add Q --name N --kind roll --width 50 --length 30",
         "--length does not apply to --kind roll; run velkorctl add --help"},
        {"add Q --name N --kind roll --width 50 --bottom 3",
         "--bottom does not apply to --kind roll (a roll's bottom margin is its top margin); "
         "run velkorctl add --help"},
        {"add Q --name N --kind roll --width 50 --gap 3",
         "--gap does not apply to --kind roll; run velkorctl add --help"},
        {"add Q --name N --kind label --width 50 --mark-length 3",
         "--mark-length does not apply to --kind label; run velkorctl add --help"},
        {"add Q --name N --kind label --width 50 --mark-offset 3",
         "--mark-offset does not apply to --kind label; run velkorctl add --help"},
        {"add Q --name N --kind mark --width 50 --gap 3",
         "--gap does not apply to --kind mark; run velkorctl add --help"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseArguments(Words(c.line));
        EXPECT_FALSE(parsed.invocation) << c.line;
        EXPECT_EQ(parsed.error, c.error) << c.line;
    }
}

TEST(Arguments, KindWords) {
    EXPECT_EQ(velkorctl::KindWord(74), "roll");
    EXPECT_EQ(velkorctl::KindWord(75), "label");
    EXPECT_EQ(velkorctl::KindWord(76), "mark");
    EXPECT_EQ(velkorctl::CommandWord(Command::Restore), "restore");
}

}  // namespace
