// The editor's two ways to finish: OK stores the paper as a new one, button 1046
// stores it over the paper that was opened. Both take the fields into the record,
// check them and go through the paper set, which builds and installs the table
// before the dialog closes; a failure keeps the dialog open with the table as it was.
#include "editor/apply_fields.h"
#include "editor/new_label_dlg.h"
#include "editor/validate_fields.h"
#include "papertable/table_edits.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace editor {

void CNewLabelDlg::AssignFreePaperId() {
    const auto& table = args_.paperSet.Table();
    const auto id = papertable::FreePaperId(table, table.paperCount);
    if (!id) return;
    args_.record.nPaperSize = *id;
    args_.record.wPafMediaID = std::to_string(*id);
}

bool CNewLabelDlg::Validate(bool markMode) {
    const auto& table = args_.paperSet.Table();
    const ValidationInput input{
        args_.record, markMode, args_.editMode,
        std::span(table.papers.data(), static_cast<size_t>(table.paperCount))};
    const auto violation = ValidateFields(input, Fields(), Units());
    if (!violation) return true;
    GetUi().MessageBox(ViolationText(*violation, GetUi(), Units()), win::MessageKind::Error);
    return false;
}

bool CNewLabelDlg::Stored(const build::ChangeResult& result) {
    if (result.status == build::ChangeStatus::Failed)
        GetUi().ShowFailure(IDS_INSTALL_FAILED, result.reason);
    return result.Ok();
}

bool CNewLabelDlg::Save(StoreAs storeAs) {
    UpdateData(Direction::FromControls);
    const bool markMode = ApplyFields(Fields(), Units(), args_.record);
    // An edited paper stored as new needs an identifier of its own; a new paper has
    // one from the main window already.
    const bool freshId = storeAs == StoreAs::NewPaper && args_.editMode == EditMode::ExistingPaper;
    const int16_t ownId = args_.record.nPaperSize;
    const std::string ownMediaId = args_.record.wPafMediaID;
    if (freshId) AssignFreePaperId();
    if (!Validate(markMode)) {
        if (freshId) {
            args_.record.nPaperSize = ownId;
            args_.record.wPafMediaID = ownMediaId;
        }
        return false;
    }
    // A full table refuses a new paper (OK is disabled while it is full), a slot
    // that holds no paper an overwrite.
    auto& paperSet = args_.paperSet;
    return Stored(storeAs == StoreAs::NewPaper
                      ? paperSet.Add(args_.record)
                      : paperSet.Overwrite(args_.currentIndex, args_.record));
}

void CNewLabelDlg::OnOK() {
    if (Save(StoreAs::NewPaper)) EndDialog(kStoredAsNew);
}

void CNewLabelDlg::OnOverwrite(const win::Message&) {
    if (Save(StoreAs::OverEditedPaper)) EndDialog(kStoredOver);
}

}  // namespace editor
