// Deleting the selected paper: the table is rebuilt and installed at once.
#include "build/pipeline.h"
#include "mainwindow/main_build_context.h"
#include "mainwindow/paper_details.h"
#include "mainwindow/paper_list_edit.h"
#include "mainwindow/tarnel_dlg.h"
#include "papertable/source_writer.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnDelete(const win::Message&) {
    auto& state = *state_;
    const auto* paper = state.SelectedPaper();
    if (!paper || paper->builtIn || paper->editLocked) return;

    const std::string question = DeleteQuestion(
        GetUi().LoadString(IDS_ASK_DELETE), PaperListLine(state.workingRecord, state.inchUnits));
    if (GetUi().MessageBox(question, win::MessageKind::Question) != win::kIdYes) return;

    state.currentIndex = RemovePaper(state.table, state.currentIndex);
    // Whatever the install does, the table in memory has room again.
    state.table.tableFull = false;
    const auto context = MainBuildContext(services_, GetUi(), Window(), state);
    bool written = false;
    const auto built = build::BuildPaperData(
        context,
        [&](const std::string& path) {
            written = papertable::WriteUserSource(services_.files, path, state.table,
                                                  state.table.paperCount);
        },
        true);
    // A source that could not be written leaves an earlier build's files in the
    // temporary folder; installing those would silently undo the deletion.
    if (!written)
        GetUi().ShowMessage(IDS_INSTALL_FAILED, win::MessageKind::Error);
    else
        build::InstallPaperData(context, built, state.driverFolder, IDS_INSTALL_FAILED);

    // After a failed install (message shown) the list still follows the table in
    // memory, which no longer holds the paper.
    RefreshPaperList();
    Window().Select(IDC_MAIN_LIST, state.currentIndex);
    ShowPaperDetails();
    UpdateData(false);
}

}  // namespace mainwindow
