// Export: the user papers built into the three files and copied to a chosen folder.
#include "resources/resource_ids.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnExport(const win::Message&) {
    auto& paperSet = state_->papers->paperSet;
    auto& ui = GetUi();
    const auto folder = ui.BrowseForFolder(Window(), ui.LoadString(IDS_EXPORT_TITLE));
    if (!folder) return;
    if (paperSet.ExportWouldOverwrite(*folder) &&
        ui.ShowMessage(IDS_ASK_EXPORT_OVERWRITE, win::MessageKind::Question) != win::kIdYes) {
        return;
    }
    const auto result = paperSet.Export(*folder);
    if (result.Ok())
        ui.ShowMessage(IDS_EXPORT_DONE, win::MessageKind::Information);
    else
        ui.ShowFailure(IDS_EXPORT_FAILED, result.reason);
}

}  // namespace mainwindow
