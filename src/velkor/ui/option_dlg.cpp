#include "velkor/ui/option_dlg.h"

#include "resources/resource_ids.h"

namespace ui {

COptionDlg::COptionDlg(win::Ui& ui, bool& inchUnits)
    : Dialog(ui, IDD_OPTION), inchUnits_(inchUnits) {}

bool COptionDlg::OnInitDialog() {
    unitIndex_ = inchUnits_ ? 1 : 0;
    UpdateData(Direction::ToControls);
    return true;
}

void COptionDlg::Exchange(DataExchange& dx) {
    dx.Radio(IDC_OPT_MM, IDC_OPT_INCH, unitIndex_);
}

void COptionDlg::OnOK() {
    UpdateData(Direction::FromControls);
    // Anything but the millimetre button counts as inches.
    inchUnits_ = unitIndex_ != 0;
    EndDialog(win::kIdOk);
}

}  // namespace ui
