// The program's main window: the model's paper list and its commands.
//
// The window's state is one MainWindowState. Each command's handler is a member
// declared here and defined in a file of its own beside this one (options and
// close in tarnel_dlg_commands.cpp); a new command adds its entry to the message
// map in the constructor. Handlers end with ShowPaperDetails after changing the
// table, the unit or the selection, and with RefreshPaperList after changing the
// list's lines.
#pragma once

#include <memory>
#include <optional>

#include "paperset/pipeline.h"
#include "rules/paper_fields.h"
#include "velkor/mainwindow/main_state.h"
#include "velkor/mainwindow/tarnel_dlg_args.h"
#include "velkor/transfer/devices.h"
#include "win/dialog.h"
#include "win/services.h"

namespace mainwindow {

// Result of a window that could not open because files are missing.
inline constexpr int kResultFilesMissing = 10;

class CTarnelDlg : public win::Dialog {
public:
    CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args);
    // `transport` reaches the printer for the send command, which does nothing
    // without one.
    CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args,
               transfer::Transport* transport);

    const std::string& DriverFolder() const { return state_->driverFolder; }
    MainWindowState& State() { return *state_; }
    const MainWindowState& State() const { return *state_; }

    // Fills list 1000 anew with every paper's name in the current unit and fits its
    // horizontal extent. The selection is cleared.
    void RefreshPaperList();
    // Takes the list's selection as the current paper: details, command states and
    // the working copy. With no line selected the details are emptied and the
    // commands that need a paper are disabled.
    void ShowPaperDetails();
    // Turns the working copy into a new user paper for Add.
    void PrepareNewPaper();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool LoadSources();
    void AddNames();
    void OnSelChange(const win::Message& message);
    win::Handling OnSysCommand(const win::Message& message);
    void OnOptions(const win::Message& message);
    void OnPopupClick(const win::Message& message);
    void OnExport(const win::Message& message);
    void OnImport(const win::Message& message);
    void OnHistory(const win::Message& message);
    // After a restore: the list of the table read anew, line 0 selected.
    void ShowRestoredTable();
    void OnSendToPrinter(const win::Message& message);
    void OnSavePrinterData(const win::Message& message);
    void OnAdd(const win::Message& message);
    void OnEdit(const win::Message& message);
    void OnDelete(const win::Message& message);
    int RunEditor(rules::EditMode mode);
    void TakeEditorResult(int result, rules::EditMode mode);

    const win::Services& services_;
    transfer::Transport* transport_ = nullptr;
    // The table holds 101 records: too large for the stack the window lives on.
    std::unique_ptr<MainWindowState> state_;
};

}  // namespace mainwindow
