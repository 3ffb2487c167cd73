// Import: a source file of this model replaces the user papers, and the table of the
// built-in papers and the imported ones is built and installed.
#include "build/pipeline.h"
#include "mainwindow/import_source.h"
#include "mainwindow/main_build_context.h"
#include "mainwindow/tarnel_dlg.h"
#include "papertable/source_reader.h"
#include "resources/resource_ids.h"
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

    const auto chosenFile = papertable::LoadProfile(files, *chosen);
    if (!IsModelSource(chosenFile, state.modelPrefix)) {
        ui.ShowMessage(IDS_NOT_THIS_MODEL, win::MessageKind::Error);
        return;
    }
    if (ui.ShowMessage(IDS_ASK_IMPORT, win::MessageKind::Question) != win::kIdYes) return;

    window.ClearItems(IDC_MAIN_LIST);
    const std::string builtInSource = state.driverFolder + "\\" + state.modelPrefix + "ad.txt";
    if (!files.FileExists(builtInSource) || !files.FileExists(*chosen)) {
        ui.ShowMessage(IDS_FILES_MISSING, win::MessageKind::Error);
        EndDialog(kResultFilesMissing);
        return;
    }

    papertable::ReadDevice(chosenFile, state.table.device);
    papertable::LoadPaperTable(
        state.table, papertable::LoadProfile(files, builtInSource), chosenFile, state.inchUnits, ui,
        [&](const std::string& name) { window.AddItem(IDC_MAIN_LIST, name); });
    window.FitHorizontalExtent(IDC_MAIN_LIST);

    const auto context = MainBuildContext(services_, ui, window, state);
    bool copied = false;
    const auto built = build::BuildPaperData(
        context,
        [&](const std::string& path) {
            build::ClearReadOnly(files, path);
            copied = files.CopyFile(*chosen, path);
            build::ClearReadOnly(files, path);
        },
        true);
    // A failed copy would leave an earlier source in the temporary folder; installing
    // that would not give the table the list now shows.
    if (!copied) ui.ShowMessage(IDS_IMPORT_FAILED, win::MessageKind::Error);
    if (!copied ||
        !build::InstallPaperData(context, built, state.driverFolder, IDS_IMPORT_FAILED)) {
        // The list holds the imported papers with nothing selected; the details and
        // commands follow it.
        ShowPaperDetails();
        return;
    }

    ui.MessageBox(ui.LoadString(IDS_IMPORT_DONE) + "\n\n" + ui.LoadString(IDS_CHANGED_NOTICE),
                  win::MessageKind::Information);
    window.Select(IDC_MAIN_LIST, 0);
    ShowPaperDetails();
    UpdateData(false);
}

}  // namespace mainwindow
