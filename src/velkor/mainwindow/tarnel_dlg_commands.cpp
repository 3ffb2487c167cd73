// Options and close, and the split button's own click.
#include "resources/resource_ids.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "velkor/ui/option_dlg.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::OnOptions(const win::Message&) {
    auto& state = *state_;
    ui::COptionDlg options(GetUi(), state.inchUnits);
    options.RunModal(&Window());
    state.papers->paperSet.SetInchUnits(state.inchUnits);
    // Names in the other unit may be wider, so the extent is fitted again too.
    RefreshPaperList();
    Window().Select(IDC_MAIN_LIST, state.currentIndex);
    ShowPaperDetails();
}

void CTarnelDlg::OnOK() {
    if (state_->tableChanged)
        GetUi().ShowMessage(IDS_CHANGED_NOTICE, win::MessageKind::Information);
    Dialog::OnOK();
}

// The button shows its menu and posts its commands by itself.
void CTarnelDlg::OnPopupClick(const win::Message&) {}

}  // namespace mainwindow
