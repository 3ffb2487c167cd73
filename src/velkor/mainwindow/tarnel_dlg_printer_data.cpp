// The selected paper alone as printer paper data: sent to the printer through the
// transfer dialog, or saved behind its command header into a file.
#include "resources/resource_ids.h"
#include "velkor/mainwindow/import_source.h"
#include "velkor/mainwindow/printer_data_file.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "velkor/transfer/reg_paper_dlg.h"
#include "win/codepage.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnSendToPrinter(const win::Message&) {
    auto& state = *state_;
    if (!state.SelectedPaper() || transport_ == nullptr) return;
    const auto built = state.papers->paperSet.BuildSinglePaper(state.currentIndex);
    const auto& window = Window();
    const std::string paperText = window.ItemText(IDC_MAIN_LIST, window.Selection(IDC_MAIN_LIST));

    transfer::CRegPaperDlg dialog(GetUi(), services_.files, services_.spooler, *transport_);
    // Without paper data the dialog is given a path it cannot open, and says so.
    dialog.SetDataFilePath(built.outcome.Ok() ? built.files.tempPaperData : std::string());
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

    const auto built = state.papers->paperSet.BuildSinglePaper(state.currentIndex);
    if (!built.outcome.Ok()) {
        ui.ShowFailure(IDS_DATA_SAVE_FAILED, built.outcome.failure);
        return;
    }
    const auto paperData = files.ReadFile(built.files.tempPaperData);
    if (!paperData) {
        ui.ShowFailure(IDS_DATA_SAVE_FAILED, "cannot read " + built.files.tempPaperData);
        return;
    }
    const auto& device = state.Table().device;
    if (!files.WriteFileAtomic(
            *chosen, PrinterDataFileBytes(device.bySeriesCode, device.byModelCode, *paperData))) {
        ui.ShowFailure(IDS_DATA_SAVE_FAILED, "cannot write " + *chosen);
        return;
    }
    files.DeleteFile(built.files.tempPaperData);
    ui.ShowMessage(IDS_DATA_SAVED, win::MessageKind::Information);
}

}  // namespace mainwindow
