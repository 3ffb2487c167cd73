// The program-wide side of the user interface: modal runs, message boxes, strings
// and menus of the language module, and the platform's common dialogs. One Ui per
// run, Win32 or headless; dialogs receive it at construction.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/strings.h"

namespace win {

class Dialog;
class DialogWindow;

// The application title until start-up sets string 100, and whenever that is empty.
inline constexpr std::string_view kDefaultApplicationTitle = "Mertavo";

enum class MessageKind {
    Error,        // error icon, OK
    Information,  // information icon, OK
    Question,     // question icon, Yes and No; only kIdYes proceeds
};

struct MenuItem {
    int command = 0;
    std::string text;
    bool operator==(const MenuItem&) const = default;
};

struct FileDialogArgs {
    std::string title;
    std::string filter;  // "Text files|*.txt|" style, '|' separating the parts
    std::string defaultExtension;
    std::string suggestedName;
};

// The strings (LoadString, HasString) come from Strings.
class Ui : public Strings {
public:
    // Runs `dialog` modally from its template above `parent` (null: no owner).
    virtual int RunModal(Dialog& dialog, DialogWindow* parent) = 0;

    // Message box with the application title as caption. Returns the button pressed.
    virtual int MessageBox(std::string_view text, MessageKind kind) = 0;
    // Items of the first submenu of menu `id`; empty when the menu is missing.
    virtual std::vector<MenuItem> LoadMenu(int id) = 0;

    // Caption of every message box: string 100, or kDefaultApplicationTitle when that
    // is empty.
    virtual void SetApplicationTitle(std::string title) = 0;
    virtual std::string ApplicationTitle() const = 0;

    // Common dialogs; nullopt when cancelled.
    virtual std::optional<std::string> BrowseForFolder(DialogWindow& owner,
                                                       std::string_view title) = 0;
    // Open: OFN_CREATEPROMPT | OFN_HIDEREADONLY. Save: OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT.
    virtual std::optional<std::string> OpenFileName(DialogWindow& owner,
                                                    const FileDialogArgs& args) = 0;
    virtual std::optional<std::string> SaveFileName(DialogWindow& owner,
                                                    const FileDialogArgs& args) = 0;

    // Shows string `id` in a message box.
    int ShowMessage(int id, MessageKind kind) { return MessageBox(LoadString(id), kind); }
    // Error box: string `id`, then on a line of its own why it happened.
    void ShowFailure(int id, std::string_view reason) {
        std::string text = LoadString(id);
        if (!reason.empty()) text.append("\n").append(reason);
        MessageBox(text, MessageKind::Error);
    }
};

}  // namespace win
