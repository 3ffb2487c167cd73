#include "velkorctl/run.h"

#include <iterator>

#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"
#include "velkorctl/help.h"

namespace velkorctl {
namespace {

using Handler = int (*)(Session&, const Invocation&, Environment&);

struct CommandRun {
    Command command;
    Access access;
    Handler handler;
};

constexpr CommandRun kRuns[] = {
    {Command::List, Access::Read, &ListPapers},
    {Command::Check, Access::Read, &CheckSource},
    {Command::Export, Access::Change, &ExportPapers},
    {Command::Import, Access::Change, &ImportPapers},
    {Command::Add, Access::Change, &AddPaper},
    {Command::Delete, Access::Change, &DeletePaper},
    {Command::History, Access::Read, &ShowHistory},
    {Command::Restore, Access::Change, &RestoreEntry},
};
static_assert(std::size(kRuns) == kCommandCount, "every command has its run");

}  // namespace

int Run(const std::vector<std::string>& arguments, Environment& environment) {
    const ParseResult parsed = ParseArguments(arguments);
    if (!parsed.invocation) return Fail(environment, kExitUsage, parsed.error);
    const Invocation& invocation = *parsed.invocation;
    if (invocation.help) {
        environment.out << HelpText(invocation.command);
        return kExitDone;
    }
    for (const auto& run : kRuns) {
        if (run.command != *invocation.command) continue;
        int exitCode = kExitDone;
        auto session = OpenSession(invocation, run.access, environment, exitCode);
        if (!session) return exitCode;
        return run.handler(*session, invocation, environment);
    }
    return kExitFailed;  // not reached: every command has its run
}

}  // namespace velkorctl
