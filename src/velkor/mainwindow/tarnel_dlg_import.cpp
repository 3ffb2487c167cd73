// Import: a source file of this model replaces the user papers, and the table of the
// built-in papers and the imported ones is built and installed.
#include "papertable/source_reader.h"
#include "resources/resource_ids.h"
#include "velkor/mainwindow/import_source.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnImport(const win::Message&) {
    auto& state = *state_;
    auto& files = services_.files;
    auto& ui = GetUi();
    auto& window = Window();

    LeaveDriverFolder(files, state.driverFolder);
    win::FileDialogArgs args;
    args.title = ui.LoadString(IDS_IMPORT_TITLE);
    args.filter = ui.LoadString(IDS_IMPORT_FILTER);
    args.defaultExtension = "txt";
    const auto chosen = ui.OpenFileName(window, args);
    if (!chosen) return;

    if (!papertable::IsModelSource(papertable::LoadProfile(files, *chosen), state.modelPrefix)) {
        ui.ShowMessage(IDS_NOT_THIS_MODEL, win::MessageKind::Error);
        return;
    }
    if (ui.ShowMessage(IDS_ASK_IMPORT, win::MessageKind::Question) != win::kIdYes) return;

    if (!files.FileExists(state.papers->paperSet.BuiltInSourcePath()) ||
        !files.FileExists(*chosen)) {
        window.ClearItems(IDC_MAIN_LIST);
        ui.ShowMessage(IDS_FILES_MISSING, win::MessageKind::Error);
        EndDialog(kResultFilesMissing);
        return;
    }

    paperset::LoadResult loaded;
    const auto result = state.papers->paperSet.Import(*chosen, state.inchUnits, &loaded);
    if (loaded.tooMany) ui.ShowMessage(IDS_TOO_MANY_PAPERS, win::MessageKind::Error);
    if (!result.Ok()) {
        // The paper set is back as it was, and so is the driver folder: the list stays.
        ui.ShowFailure(IDS_IMPORT_FAILED, result.reason);
        return;
    }
    RefreshPaperList();
    ui.MessageBox(ui.LoadString(IDS_IMPORT_DONE) + "\n\n" + ui.LoadString(IDS_CHANGED_NOTICE),
                  win::MessageKind::Information);
    window.Select(IDC_MAIN_LIST, 0);
    ShowPaperDetails();
}

}  // namespace mainwindow
