#include "velkor/history/history_dlg.h"

#include "history/entry_text.h"
#include "resources/resource_ids.h"
#include "win/format_text.h"
#include "win/ui.h"

namespace history {

CHistoryDlg::CHistoryDlg(win::Ui& ui, win::Locale& locale, History& history,
                         paperset::PaperSet& paperSet, std::function<void()> restored)
    : Dialog(ui, IDD_HISTORY),
      locale_(locale),
      history_(history),
      paperSet_(paperSet),
      restored_(std::move(restored)) {
    static const win::MessageEntry<CHistoryDlg> map[] = {
        {win::Event::SelChange, IDC_HISTORY_LIST, &CHistoryDlg::OnSelChange},
        {win::Event::Command, IDC_HISTORY_RESTORE, &CHistoryDlg::OnRestore},
    };
    UseMessageMap(this, map);
}

bool CHistoryDlg::OnInitDialog() {
    ShowEntries(0);
    return true;
}

void CHistoryDlg::ShowEntries(int selection) {
    entries_ = history_.Entries();
    const EntryTexts texts(GetUi(), locale_);
    std::vector<std::string> lines;
    lines.reserve(entries_.size());
    for (const auto& entry : entries_) lines.push_back(texts.Line(entry));
    auto& window = Window();
    window.SetItems(IDC_HISTORY_LIST, lines);
    window.FitHorizontalExtent(IDC_HISTORY_LIST);
    window.Select(IDC_HISTORY_LIST, selection);
    ShowRestoreState();
}

const Entry* CHistoryDlg::SelectedEntry() const {
    const int line = Window().Selection(IDC_HISTORY_LIST);
    if (line < 0 || line >= static_cast<int>(entries_.size())) return nullptr;
    return &entries_[static_cast<size_t>(line)];
}

void CHistoryDlg::ShowRestoreState() {
    const Entry* entry = SelectedEntry();
    Window().Enable(IDC_HISTORY_RESTORE, entry && !entry->damaged);
}

void CHistoryDlg::OnSelChange(const win::Message&) {
    ShowRestoreState();
}

void CHistoryDlg::OnRestore(const win::Message&) {
    const Entry* entry = SelectedEntry();
    if (!entry || entry->damaged) return;
    const Entry chosen = *entry;  // the list is read anew below
    const std::string question = win::FormatText(GetUi().LoadString(IDS_ASK_RESTORE),
                                                 EntryTexts(GetUi(), locale_).Name(chosen));
    if (GetUi().MessageBox(question, win::MessageKind::Question) != win::kIdYes) return;
    Restore(chosen);
}

void CHistoryDlg::Restore(const Entry& entry) {
    auto& ui = GetUi();
    paperset::LoadResult loaded;
    const auto result = history_.Restore(paperSet_, entry.id, &loaded);
    if (loaded.tooMany) ui.ShowMessage(IDS_TOO_MANY_PAPERS, win::MessageKind::Error);
    if (!result.Ok()) {
        ui.ShowFailure(IDS_INSTALL_FAILED, result.reason);
        ShowEntries(Window().Selection(IDC_HISTORY_LIST));
        return;
    }
    ShowEntries(0);
    if (restored_) restored_();
}

}  // namespace history
