// Win32 backend of Ui: dialogs from the templates of the language module, message
// boxes owned by the innermost running dialog, the module's strings and menus, and
// the system's folder and file dialogs.
#pragma once

#include <vector>

#include "win/ui.h"
#include "win/win32_api.h"
#include "win/win32_dialog_window.h"

namespace win {

class Win32Ui : public Ui {
public:
    // `module` holds every dialog template, string, menu, icon and bitmap; the
    // dialogs' split buttons are made by `attachPopupButton`.
    explicit Win32Ui(HINSTANCE module, AttachPopupButtonFn attachPopupButton = nullptr)
        : module_(module), attachPopupButton_(attachPopupButton) {}

    HINSTANCE Module() const { return module_; }
    // The window of the innermost dialog running now, or null.
    Win32DialogWindow* ActiveWindow() const { return stack_.empty() ? nullptr : stack_.back(); }

    int RunModal(Dialog& dialog, DialogWindow* parent) override;
    int MessageBox(std::string_view text, MessageKind kind) override;
    std::string LoadString(int id) override;
    bool HasString(int id) override;
    std::vector<MenuItem> LoadMenu(int id) override;
    void SetApplicationTitle(std::string title) override { title_ = std::move(title); }
    std::string ApplicationTitle() const override { return title_; }
    std::optional<std::string> BrowseForFolder(DialogWindow& owner,
                                               std::string_view title) override;
    std::optional<std::string> OpenFileName(DialogWindow& owner,
                                            const FileDialogArgs& args) override;
    std::optional<std::string> SaveFileName(DialogWindow& owner,
                                            const FileDialogArgs& args) override;

private:
    struct Run;
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Handle(Run& run, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE module_;
    AttachPopupButtonFn attachPopupButton_;
    std::vector<Win32DialogWindow*> stack_;
    std::string title_{kDefaultApplicationTitle};
};

// Message box flags of each kind.
UINT MessageBoxFlags(MessageKind kind);

}  // namespace win
