// export: as velkor's export button, without the questions: the user papers built
// and their three files copied into a folder; existing files only with --force.
#include "paperset/pipeline.h"
#include "resources/resource_ids.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"

namespace velkorctl {

int ExportPapers(Session& session, const Invocation& invocation, Environment& environment) {
    auto& paperSet = session.papers->paperSet;
    const std::string& folder = invocation.operand;
    if (!invocation.force && paperSet.ExportWouldOverwrite(folder))
        return Fail(environment, kExitBadInput,
                    folder + " already holds exported paper files of " + session.Prefix() +
                        "; give --force to replace them, or another folder");
    const auto result = paperSet.Export(folder);
    if (!result.Ok())
        return Fail(environment, kExitFailed,
                    session.strings->LoadString(IDS_EXPORT_FAILED) + " " + result.reason +
                        "; check that " + folder + " is a folder you may write to");
    const auto& device = paperSet.Table().device;
    const auto names =
        paperset::MakeBuildFiles(environment.services.files.TempFolder(), session.Prefix(),
                                 device.bySeriesCode, device.byModelCode);
    for (const auto& path : paperset::DestinationPaths(folder, session.Prefix(), names).paths)
        environment.out << path << '\n';
    return kExitDone;
}

}  // namespace velkorctl
