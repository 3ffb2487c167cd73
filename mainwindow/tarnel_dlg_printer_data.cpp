// The selected paper alone as printer paper data: sent to the printer through the
// transfer dialog, or saved behind its command header into a file.
#include "build/pipeline.h"
#include "mainwindow/import_source.h"
#include "mainwindow/main_build_context.h"
#include "mainwindow/printer_data_file.h"
#include "mainwindow/tarnel_dlg.h"
#include "papertable/source_writer.h"
#include "resources/resource_ids.h"
#include "transfer/reg_paper_dlg.h"
#include "win/codepage.h"
#include "win/ui.h"

namespace mainwindow {

std::optional<build::BuildFiles> CTarnelDlg::BuildSelectedPaper() {
    auto& state = *state_;
    auto& files = services_.files;
    const auto context = MainBuildContext(services_, GetUi(), Window(), state);
    bool written = false;
    const auto built = build::BuildPaperData(
        context,
        [&](const std::string& path) {
            written =
                papertable::WriteSinglePaperSource(files, path, state.table, state.currentIndex);
        },
        false);
    files.DeleteFile(built.tempSource);
    files.DeleteFile(built.tempTable);
    // Paper data built from an earlier run's source (a read-only leftover, say) would
    // be some other paper: it is removed, so that it reads as missing.
    if (!written) {
        files.DeleteFile(built.tempPaperData);
        return std::nullopt;
    }
    return built;
}

void CTarnelDlg::OnSendToPrinter(const win::Message&) {
    auto& state = *state_;
    if (!state.SelectedPaper() || transport_ == nullptr) return;
    const auto built = BuildSelectedPaper();
    const auto& window = Window();
    const std::string paperText = window.ItemText(IDC_MAIN_LIST, window.Selection(IDC_MAIN_LIST));

    transfer::CRegPaperDlg dialog(GetUi(), services_.files, services_.spooler, *transport_);
    // Without paper data the dialog is given a path it cannot open, and says so.
    dialog.SetDataFilePath(built ? built->tempPaperData : std::string());
    dialog.SetPrinterName(state.printerName);
    dialog.SetPaperText(paperText);
    dialog.RunModal(&Window());
}

void CTarnelDlg::OnSavePrinterData(const win::Message&) {
    auto& state = *state_;
    auto& files = services_.files;
    auto& ui = GetUi();
    if (!state.SelectedPaper()) return;

    LeaveDriverFolder(files, state.driverFolder);
    win::FileDialogArgs args;
    args.title = ui.LoadString(IDS_SAVE_DATA_TITLE);
    args.filter = ui.LoadString(IDS_SAVE_DATA_FILTER);
    args.defaultExtension = "bin";
    args.suggestedName =
        SuggestedDataFileName(files.ProgramPath().value_or(std::string()), win::IsLeadByte);
    const auto chosen = ui.SaveFileName(Window(), args);
    if (!chosen) return;

    const auto built = BuildSelectedPaper();
    const auto paperData = built ? files.ReadFile(built->tempPaperData) : std::nullopt;
    if (!paperData) {
        ui.ShowMessage(IDS_DATA_SAVE_FAILED, win::MessageKind::Error);
        return;
    }
    const auto& device = state.table.device;
    if (!files.WriteFileAtomic(
            *chosen, PrinterDataFileBytes(device.bySeriesCode, device.byModelCode, *paperData))) {
        ui.ShowMessage(IDS_DATA_SAVE_FAILED, win::MessageKind::Error);
        return;
    }
    files.DeleteFile(built->tempPaperData);
    ui.ShowMessage(IDS_DATA_SAVED, win::MessageKind::Information);
}

}  // namespace mainwindow
