// import: as velkor's import without the questions: a source file of this model
// replaces the user papers, and the table is built and installed.
#include "papertable/source_reader.h"
#include "resources/resource_ids.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"

namespace velkorctl {

int ImportPapers(Session& session, const Invocation& invocation, Environment& environment) {
    auto& files = environment.services.files;
    auto& strings = *session.strings;
    const std::string& file = invocation.operand;
    if (!files.FileExists(file))
        return Fail(environment, kExitBadInput,
                    file + " does not exist; give the path of an exported paper source file");
    if (!papertable::IsModelSource(papertable::LoadProfile(files, file), session.Prefix()))
        return Fail(environment, kExitBadInput,
                    strings.LoadString(IDS_NOT_THIS_MODEL) + " (" + file + " is not a " +
                        session.Prefix() + " source; give a file exported for this model)");

    paperset::LoadResult loaded;
    const auto result = session.papers->paperSet.Import(file, session.inchUnits, &loaded);
    if (loaded.tooMany) Note(environment, strings.LoadString(IDS_TOO_MANY_PAPERS));
    if (!result.Ok())
        return Fail(environment, kExitFailed,
                    strings.LoadString(IDS_IMPORT_FAILED) + " " + result.reason +
                        std::string(kNothingChanged));
    const auto& table = session.papers->paperSet.Table();
    int userPapers = 0;
    for (int i = 0; i < table.paperCount; ++i) userPapers += table.papers[i].builtIn ? 0 : 1;
    environment.out << "imported " << userPapers << " user papers from " << file << '\n';
    return kExitDone;
}

}  // namespace velkorctl
