// Export: the user papers built into the three files and copied to a chosen folder.
#include "build/pipeline.h"
#include "mainwindow/main_build_context.h"
#include "mainwindow/tarnel_dlg.h"
#include "papertable/source_writer.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnExport(const win::Message&) {
    auto& state = *state_;
    auto& files = services_.files;
    const auto folder = GetUi().BrowseForFolder(Window(), GetUi().LoadString(IDS_EXPORT_TITLE));
    if (!folder) return;

    const auto context = MainBuildContext(services_, GetUi(), Window(), state);
    const auto names = build::MakeBuildFiles(files.TempFolder(), context.modelPrefix,
                                             context.seriesCode, context.modelCode);
    const bool exists = files.FileExists(build::DestinationSource(*folder, state.modelPrefix)) ||
                        files.FileExists(build::DestinationTable(*folder, state.modelPrefix)) ||
                        files.FileExists(build::DestinationPaperData(*folder, names));
    if (exists &&
        GetUi().ShowMessage(IDS_ASK_EXPORT_OVERWRITE, win::MessageKind::Question) != win::kIdYes) {
        return;
    }

    bool written = false;
    const auto built = build::BuildPaperData(
        context,
        [&](const std::string& path) {
            written = papertable::WriteUserSource(files, path, state.table, state.table.paperCount);
        },
        true);
    // A source that could not be written would leave an earlier build's files in the
    // temporary folder, and those must not go out as this table.
    if (!written) {
        GetUi().ShowMessage(IDS_EXPORT_FAILED, win::MessageKind::Error);
        return;
    }
    if (build::InstallPaperData(context, built, *folder, IDS_EXPORT_FAILED, false))
        GetUi().ShowMessage(IDS_EXPORT_DONE, win::MessageKind::Information);
}

}  // namespace mainwindow
