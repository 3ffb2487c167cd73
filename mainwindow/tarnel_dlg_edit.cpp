// Adding and editing papers: both open the paper editor on the working copy and
// take its result into the table.
#include "editor/new_label_dlg.h"
#include "mainwindow/paper_list_edit.h"
#include "mainwindow/tarnel_dlg.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace mainwindow {

void CTarnelDlg::PrepareNewPaper() {
    auto& state = *state_;
    mainwindow::PrepareNewPaper(state.workingRecord, state.table,
                                GetUi().LoadString(IDS_NEW_PAPER_NAME));
}

int CTarnelDlg::RunEditor(bool editing) {
    auto& state = *state_;
    editor::EditorArgs args{state.workingRecord, state.table};
    args.editMode = editing ? 1 : 0;
    args.okInitiallyEnabled = !editing;
    args.inchUnits = state.inchUnits;
    args.decimalSeparator = state.decimalSeparator;
    args.modelPrefix = state.modelPrefix;
    args.driverFolder = state.driverFolder;
    args.currentIndex = state.currentIndex;
    args.tableFull = state.table.tableFull;
    args.limits = state.modelLimits;
    editor::CNewLabelDlg editorDialog(GetUi(), services_.files, services_.processes, args);
    return editorDialog.RunModal(&Window());
}

void CTarnelDlg::TakeEditorResult(int result, bool editing) {
    auto& state = *state_;
    auto& window = Window();
    const int index = state.currentIndex;
    const bool storeOver =
        editing && result == editor::kStoredOver && index >= 0 && index < state.table.paperCount;
    if (result == editor::kStoredAsNew && AppendPaper(state.table, state.workingRecord)) {
        state.tableChanged = true;
        RefreshPaperList();
        window.Select(IDC_MAIN_LIST, state.table.paperCount - 1);
    } else if (storeOver) {
        state.tableChanged = true;
        state.table.papers[static_cast<size_t>(index)] = state.workingRecord;
        RefreshPaperList();
        window.Select(IDC_MAIN_LIST, index);
    } else {
        window.FitHorizontalExtent(IDC_MAIN_LIST);
    }
    ShowPaperDetails();
}

void CTarnelDlg::OnAdd(const win::Message&) {
    if (state_->table.tableFull) return;
    PrepareNewPaper();
    TakeEditorResult(RunEditor(false), false);
}

void CTarnelDlg::OnEdit(const win::Message&) {
    const auto* paper = state_->SelectedPaper();
    if (!paper || paper->builtIn || paper->editLocked) return;
    TakeEditorResult(RunEditor(true), true);
}

}  // namespace mainwindow
