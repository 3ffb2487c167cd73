// Adding and editing papers: both open the paper editor on the working copy and
// take its result into the table.
#include "papertable/table_edits.h"
#include "resources/resource_ids.h"
#include "velkor/advanced/advance_dlg.h"
#include "velkor/editor/new_label_dlg.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::PrepareNewPaper() {
    auto& state = *state_;
    papertable::PrepareNewPaper(state.workingRecord, state.Table(),
                                GetUi().LoadString(IDS_NEW_PAPER_NAME));
}

int CTarnelDlg::RunEditor(rules::EditMode mode) {
    auto& state = *state_;
    editor::EditorArgs args{state.workingRecord, state.papers->paperSet};
    args.editMode = mode;
    args.okInitiallyEnabled = mode == rules::EditMode::NewPaper;
    args.inchUnits = state.inchUnits;
    args.decimalSeparator = state.decimalSeparator;
    args.currentIndex = state.currentIndex;
    args.tableFull = state.papers->paperSet.IsFull();
    args.limits = state.modelLimits;
    args.advancedSettings = advanced::AdvancedSettingsFor(GetUi());
    editor::CNewLabelDlg editorDialog(GetUi(), args);
    return editorDialog.RunModal(&Window());
}

// The editor has stored the paper through the paper set already; the list follows.
void CTarnelDlg::TakeEditorResult(int result, rules::EditMode mode) {
    auto& state = *state_;
    auto& window = Window();
    if (result == editor::kStoredAsNew) {
        state.tableChanged = true;
        RefreshPaperList();
        window.Select(IDC_MAIN_LIST, state.Table().paperCount - 1);
    } else if (mode == rules::EditMode::ExistingPaper && result == editor::kStoredOver) {
        state.tableChanged = true;
        RefreshPaperList();
        window.Select(IDC_MAIN_LIST, state.currentIndex);
    } else {
        window.FitHorizontalExtent(IDC_MAIN_LIST);
    }
    ShowPaperDetails();
}

void CTarnelDlg::OnAdd(const win::Message&) {
    if (state_->papers->paperSet.IsFull()) return;
    PrepareNewPaper();
    TakeEditorResult(RunEditor(rules::EditMode::NewPaper), rules::EditMode::NewPaper);
}

void CTarnelDlg::OnEdit(const win::Message&) {
    const auto* paper = state_->SelectedPaper();
    if (!paper || paper->builtIn || paper->editLocked) return;
    TakeEditorResult(RunEditor(rules::EditMode::ExistingPaper), rules::EditMode::ExistingPaper);
}

}  // namespace mainwindow
