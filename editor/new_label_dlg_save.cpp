// The editor's two ways to finish: OK stores the paper as a new one, button 1046
// stores it over the paper that was opened. Both go through the paper set, which
// builds and installs the table before the dialog closes; a failure keeps the
// dialog open with the table as it was.
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

namespace {

bool Validate(win::Ui& ui, const papertable::PaperRecord& record, bool markMode, int editMode,
              const papertable::PaperTable& table, const FieldTexts& texts,
              const UnitSettings& units) {
    const ValidationInput input{
        record, markMode, editMode,
        std::span(table.papers.data(), static_cast<size_t>(table.paperCount))};
    const auto violation = ValidateFields(input, texts, units);
    if (!violation) return true;
    ui.MessageBox(ViolationText(*violation, ui, units), win::MessageKind::Error);
    return false;
}

}  // namespace

bool CNewLabelDlg::Stored(const build::ChangeResult& result) {
    if (result.status == build::ChangeStatus::Failed)
        GetUi().ShowFailure(IDS_INSTALL_FAILED, result.reason);
    return result.Ok();
}

void CNewLabelDlg::OnOK() {
    UpdateData(true);
    markMode_ = false;
    markMode_ = ApplyFields(Fields(), Units(), args_.record);
    const int16_t ownId = args_.record.nPaperSize;
    const std::string ownMediaId = args_.record.wPafMediaID;
    if (args_.editMode == 1) AssignFreePaperId();

    UpdateData(true);
    if (!Validate(GetUi(), args_.record, markMode_, args_.editMode, args_.paperSet.Table(),
                  Fields(), Units())) {
        if (args_.editMode == 1) {
            args_.record.nPaperSize = ownId;
            args_.record.wPafMediaID = ownMediaId;
        }
        return;
    }
    // A full table refuses the paper (OK is disabled while it is full).
    if (!Stored(args_.paperSet.Add(args_.record))) return;
    Dialog::OnOK();
}

void CNewLabelDlg::OnOverwrite(const win::Message&) {
    UpdateData(true);
    markMode_ = false;
    markMode_ = ApplyFields(Fields(), Units(), args_.record);
    UpdateData(true);
    if (!Validate(GetUi(), args_.record, markMode_, args_.editMode, args_.paperSet.Table(),
                  Fields(), Units())) {
        return;
    }
    if (!Stored(args_.paperSet.Overwrite(args_.currentIndex, args_.record))) return;
    EndDialog(kStoredOver);
}

}  // namespace editor
