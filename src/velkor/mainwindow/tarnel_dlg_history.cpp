// The history: the kept paper sets in their dialog, where one can be restored; the
// list then shows the table read anew from the driver folder.
#include "resources/resource_ids.h"
#include "velkor/history/history_dlg.h"
#include "velkor/mainwindow/tarnel_dlg.h"

namespace mainwindow {

void CTarnelDlg::OnHistory(const win::Message&) {
    auto& state = *state_;
    history::CHistoryDlg dialog(GetUi(), services_.locale, state.papers->history,
                                state.papers->paperSet, [this] { ShowRestoredTable(); });
    dialog.RunModal(&Window());
    ShowPaperDetails();
}

void CTarnelDlg::ShowRestoredTable() {
    auto& state = *state_;
    state.tableChanged = true;
    RefreshPaperList();
    Window().Select(IDC_MAIN_LIST, state.Table().paperCount > 0 ? 0 : -1);
    ShowPaperDetails();
}

}  // namespace mainwindow
