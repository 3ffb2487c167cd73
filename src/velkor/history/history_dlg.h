// The history dialog: the model's kept paper sets, newest first, and the restore of
// the selected one. Dialog logic only; listing and restoring are the History's.
#pragma once

#include <functional>
#include <vector>

#include "history/history.h"
#include "paperset/paper_set.h"
#include "win/dialog.h"
#include "win/services.h"

namespace history {

class CHistoryDlg : public win::Dialog {
public:
    // `paperSet` has `history` as its keeper, so a restore is kept in turn.
    // `restored` runs after each restore, when the paper set holds the table read
    // anew, so that the window below can show it at once.
    CHistoryDlg(win::Ui& ui, win::Locale& locale, History& history, paperset::PaperSet& paperSet,
                std::function<void()> restored);

protected:
    bool OnInitDialog() override;

private:
    void OnSelChange(const win::Message& message);
    void OnRestore(const win::Message& message);
    // Lists the entries anew and selects line `selection`.
    void ShowEntries(int selection);
    // Restore is enabled while a restorable entry is selected.
    void ShowRestoreState();
    const Entry* SelectedEntry() const;
    void Restore(const Entry& entry);

    win::Locale& locale_;
    History& history_;
    paperset::PaperSet& paperSet_;
    std::function<void()> restored_;
    std::vector<Entry> entries_;  // line i is entry i
};

}  // namespace history
