// Deleting the selected paper: the table is rebuilt and installed at once.
#include "resources/resource_ids.h"
#include "velkor/mainwindow/paper_details.h"
#include "velkor/mainwindow/paper_list_edit.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnDelete(const win::Message&) {
    auto& state = *state_;
    const auto* paper = state.SelectedPaper();
    if (!paper || paper->builtIn || paper->editLocked) return;

    const std::string question = DeleteQuestion(
        GetUi().LoadString(IDS_ASK_DELETE), PaperListLine(state.workingRecord, state.inchUnits));
    if (GetUi().MessageBox(question, win::MessageKind::Question) != win::kIdYes) return;

    const auto result = state.papers->paperSet.Delete(state.currentIndex);
    // After a failure the paper set still holds the paper, as the driver folder does.
    if (!result.Ok()) {
        GetUi().ShowFailure(IDS_INSTALL_FAILED, result.reason);
        return;
    }
    RefreshPaperList();
    Window().Select(IDC_MAIN_LIST, result.index);
    ShowPaperDetails();
}

}  // namespace mainwindow
