// The editor's two ways to finish: OK stores the paper as a new one, button 1046
// stores it over the paper that was opened. Both go through the save flows of
// save_paper.h, which store through the paper set; a refusal or a failure keeps the
// dialog open with the table as it was.
#include "editor/new_label_dlg.h"
#include "editor/save_paper.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace editor {

bool CNewLabelDlg::Saved(const SaveResult& result) {
    auto& ui = GetUi();
    if (result.violation) {
        ui.MessageBox(ViolationText(*result.violation, ui, Units()), win::MessageKind::Error);
        return false;
    }
    // A full table refuses the paper silently: OK is disabled while it is full.
    if (result.change.status == build::ChangeStatus::Failed)
        ui.ShowFailure(IDS_INSTALL_FAILED, result.change.reason);
    return result.change.Ok();
}

void CNewLabelDlg::OnOK() {
    UpdateData(true);
    if (!Saved(SaveAsNew(args_.paperSet, args_.record, Fields(), Units(), args_.editMode))) return;
    Dialog::OnOK();
}

void CNewLabelDlg::OnOverwrite(const win::Message&) {
    UpdateData(true);
    if (!Saved(SaveOver(args_.paperSet, args_.currentIndex, args_.record, Fields(), Units(),
                        args_.editMode))) {
        return;
    }
    EndDialog(kStoredOver);
}

}  // namespace editor
