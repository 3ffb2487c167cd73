// list: the model's papers in table order. check: whether a file is a source of the
// model and which papers velkor would read from it; nothing is installed.
#include "papertable/source_reader.h"
#include "resources/resource_ids.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"
#include "velkorctl/json.h"
#include "velkorctl/paper_lines.h"

namespace velkorctl {
namespace {

void Print(const std::vector<PaperLine>& lines, bool json, Environment& environment) {
    if (json) {
        environment.out << JsonArray(lines) << '\n';
        return;
    }
    for (const auto& line : lines) environment.out << TextLine(line) << '\n';
}

std::vector<PaperLine> Lines(const Session& session, bool userOnly) {
    const auto& table = session.papers->paperSet.Table();
    std::vector<PaperLine> lines;
    for (int i = 0; i < table.paperCount; ++i) {
        const auto& paper = table.papers[static_cast<size_t>(i)];
        if (!userOnly || !paper.builtIn) lines.push_back({i, &paper, session.inchUnits});
    }
    return lines;
}

}  // namespace

int ListPapers(Session& session, const Invocation& invocation, Environment& environment) {
    Print(Lines(session, false), invocation.json, environment);
    return kExitDone;
}

int CheckSource(Session& session, const Invocation& invocation, Environment& environment) {
    auto& files = environment.services.files;
    const std::string& file = invocation.operand;
    if (!files.FileExists(file))
        return Fail(environment, kExitBadInput,
                    file +
                        " does not exist; give the path of a "
                        "paper source file");
    const auto source = papertable::LoadProfile(files, file);
    if (!papertable::IsModelSource(source, session.Prefix()))
        return Fail(environment, kExitBadInput,
                    session.strings->LoadString(IDS_NOT_THIS_MODEL) + " (" + file + " is not a " +
                        session.Prefix() + " source; give a file exported for this model)");
    // The papers as an import would take them: the built-in ones, then the file's.
    auto& paperSet = session.papers->paperSet;
    const auto loaded = paperSet.Load(papertable::LoadProfile(files, paperSet.BuiltInSourcePath()),
                                      source, session.inchUnits);
    if (loaded.tooMany) Note(environment, session.strings->LoadString(IDS_TOO_MANY_PAPERS));
    const auto lines = Lines(session, true);
    if (invocation.json) {
        environment.out << "{\"model\": " << JsonStringFromAnsi(session.Prefix())
                        << ", \"file\": " << JsonStringFromAnsi(file)
                        << ", \"papers\": " << JsonArray(lines) << "}\n";
        return kExitDone;
    }
    environment.out << file << ": a paper source of " << session.Prefix() << "; velkor would read "
                    << lines.size() << " user papers from it:\n";
    Print(lines, false, environment);
    return kExitDone;
}

}  // namespace velkorctl
