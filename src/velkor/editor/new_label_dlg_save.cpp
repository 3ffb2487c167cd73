// The editor's two ways to finish: OK stores the paper as a new one, button 1046
// stores it over the paper that was opened. Both read the fields into values, take
// them into the record,
// check them and go through the paper set, which builds and installs the table
// before the dialog closes; a failure keeps the dialog open with the table as it was.
#include "resources/resource_ids.h"
#include "rules/save_paper.h"
#include "velkor/editor/new_label_dlg.h"
#include "win/ui.h"

namespace editor {

bool CNewLabelDlg::Saved(const rules::SaveResult& result) {
    if (result.violation) {
        GetUi().MessageBox(rules::ViolationText(*result.violation, GetUi(), Units()),
                           win::MessageKind::Error);
    } else if (result.change.status == paperset::ChangeStatus::Failed) {
        GetUi().ShowFailure(IDS_INSTALL_FAILED, result.change.reason);
    }
    return result.Ok();
}

// A full table refuses a new paper (OK is disabled while it is full), a slot that
// holds no paper an overwrite.
bool CNewLabelDlg::Save(StoreAs storeAs) {
    UpdateData(Direction::FromControls);
    const rules::UnitSettings units = Units();
    const rules::PaperValues values = rules::ReadFieldValues(Fields(), units.separator);
    if (storeAs == StoreAs::NewPaper)
        return Saved(rules::SaveAsNew(args_.paperSet, args_.record, values, units, args_.editMode));
    return Saved(rules::SaveOver(args_.paperSet, args_.currentIndex, args_.record, values, units,
                                 args_.editMode));
}

void CNewLabelDlg::OnOK() {
    if (Save(StoreAs::NewPaper)) EndDialog(kStoredAsNew);
}

void CNewLabelDlg::OnOverwrite(const win::Message&) {
    if (Save(StoreAs::OverEditedPaper)) EndDialog(kStoredOver);
}

}  // namespace editor
