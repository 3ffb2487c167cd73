// Headless backend of the dialog layer: dialogs run in memory, driven by a test as
// a user would drive them (type, click, choose, spin), with every control's state
// open to assertions. Nested modal dialogs are driven by scripts registered per
// template number; message boxes are recorded and answered from a queue. Radio
// buttons are grouped as in the dialog templates of the language module.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/dialog_template.h"
#include "win/dialog.h"
#include "win/dialog_window.h"
#include "win/ui.h"

namespace win::headless {

struct ControlState {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool focused = false;
    std::vector<std::string> items;
    int selection = -1;
    TextSelection caret;
    int spinLower = 0;
    int spinUpper = 0;
    int extentFits = 0;  // how often FitHorizontalExtent ran
    Point origin;        // ControlOrigin reports this
};

struct PopupButtonAttachment {
    int controlId = 0;
    int menuId = 0;
    int commandId = 0;
    bool operator==(const PopupButtonAttachment&) const = default;
};

struct DrawnBitmap {
    int bitmapId = 0;
    Point at;
    bool operator==(const DrawnBitmap&) const = default;
};

class HeadlessWindow : public DialogWindow {
public:
    // `layout` is the dialog's template, or null for a dialog of no known template;
    // without it, the dialog's template in the language module.
    HeadlessWindow(Dialog& dialog, HeadlessWindow* parent, const DialogTemplate* layout)
        : dialog_(dialog), parent_(parent), layout_(layout) {}
    HeadlessWindow(Dialog& dialog, HeadlessWindow* parent);

    // Driving the dialog as a user would. Each call delivers the notification the
    // platform would send; events of a dialog that has ended are ignored.
    void Type(int id, std::string_view text);  // caret after the text
    void Type(int id, std::string_view text, TextSelection caret);
    void Click(int id);
    void Choose(int id, int index);       // list or combo selection, then SelChange
    void Spin(int spinId, int position);  // thumb-position scroll from a spin button
    void Scroll(int spinId, int code, int position);
    // A click on a radio button of the template. An automatic one becomes checked and
    // unchecks the other automatic ones of its group that are enabled and visible;
    // one of the other kind is left to the dialog. Throws std::logic_error for a
    // control the template does not have as a radio button.
    void Check(int id);
    void Paint();    // records the bitmaps drawn in `drawn`
    void Showing();  // the window becomes visible
    void SystemCommand(int command);

    ControlState& Control(int id) { return controls_[id]; }
    const ControlState& Control(int id) const { return controls_[id]; }
    Dialog& GetDialog() { return dialog_; }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

    std::string title;
    int icon = 0;
    std::vector<std::pair<int, std::string>> systemMenu;
    int placements = 0;     // MoveToParentClientOrigin calls
    int invalidations = 0;  // Invalidate calls
    std::vector<DrawnBitmap> drawn;
    std::vector<int> missingBitmaps;  // bitmaps that fail to load
    std::vector<PopupButtonAttachment> popupButtons;

    // DialogWindow
    void SetTitle(std::string_view text) override { title = text; }
    void SetIcon(int iconId) override { icon = iconId; }
    void AppendSystemMenuItem(int command, std::string_view text) override;
    void Invalidate(bool) override { ++invalidations; }
    void MoveToParentClientOrigin() override { ++placements; }
    void EndModal(int result) override;
    void* NativeHandle() const override { return nullptr; }
    std::string Text(int id) const override { return Control(id).text; }
    void SetText(int id, std::string_view text) override { Control(id).text = text; }
    bool IsEnabled(int id) const override { return Control(id).enabled; }
    void Enable(int id, bool enabled) override { Control(id).enabled = enabled; }
    bool IsVisible(int id) const override { return Control(id).visible; }
    void Show(int id, bool shown) override { Control(id).visible = shown; }
    void Focus(int id) override;
    Point ControlOrigin(int id) const override { return Control(id).origin; }
    void ClearItems(int id) override;
    int AddItem(int id, std::string_view text) override;
    void SetItems(int id, const std::vector<std::string>& lines) override;
    int ItemCount(int id) const override { return static_cast<int>(Control(id).items.size()); }
    std::string ItemText(int id, int index) const override;
    int Selection(int id) const override { return Control(id).selection; }
    void Select(int id, int index) override;
    void FitHorizontalExtent(int id) override { ++Control(id).extentFits; }
    TextSelection EditSelection(int id) const override { return Control(id).caret; }
    void SetEditSelection(int id, TextSelection selection) override {
        Control(id).caret = selection;
    }
    void ScrollCaret(int) override {}
    void SetSpinRange(int id, int lower, int upper) override;
    void CheckRadio(int firstId, int lastId, int checkedId) override;
    bool IsChecked(int id) const override { return Control(id).checked; }
    bool DrawBitmap(int bitmapId, Point at) override;
    void AttachPopupButton(int controlId, int menuId, int commandId) override {
        popupButtons.push_back({controlId, menuId, commandId});
    }

private:
    void Deliver(const Message& message);
    bool TakesInput(int id) const { return Control(id).enabled && Control(id).visible; }
    std::optional<size_t> LayoutIndex(int id) const;  // position in the template

    Dialog& dialog_;
    HeadlessWindow* parent_;
    const DialogTemplate* layout_;
    mutable std::map<int, ControlState> controls_;
    bool ended_ = false;
    int result_ = 0;
    bool painting_ = false;
};

class HeadlessUi : public Ui {
public:
    // Loads the texts and menus of the language module (the same definitions the
    // resource compiler reads).
    HeadlessUi();

    using Script = std::function<void(HeadlessWindow&)>;
    // Scripts for template `templateId`: each modal run takes the next one queued;
    // the last one stays for later runs. A run with no script ends with IDCANCEL.
    void OnDialog(int templateId, Script script);

    struct ShownMessage {
        std::string text;
        MessageKind kind;
    };
    std::vector<ShownMessage> messages;
    // Answers for the next question boxes, in order; a question with no queued
    // answer is answered No.
    std::deque<int> answers;

    std::vector<int> modalRuns;          // template numbers in the order they ran
    std::vector<int> unscriptedRuns;     // runs that found no script
    std::map<int, std::string> strings;  // the module's strings; tests may change them
    std::map<int, std::vector<MenuItem>> menus;
    std::map<int, DialogTemplate> templates;  // the module's; tests may add their own

    // Common dialogs answer with these (nullopt = cancelled) and record their args.
    std::optional<std::string> folderChoice;
    std::optional<std::string> openChoice;
    std::optional<std::string> saveChoice;
    std::vector<FileDialogArgs> fileDialogs;
    std::vector<std::string> folderTitles;

    // The window of the dialog running now (innermost), or null.
    HeadlessWindow* Current() { return stack_.empty() ? nullptr : stack_.back(); }

    int RunModal(Dialog& dialog, DialogWindow* parent) override;
    int MessageBox(std::string_view text, MessageKind kind) override;
    std::string LoadString(int id) override;
    bool HasString(int id) override { return strings.count(id) != 0; }
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
    std::map<int, std::deque<Script>> scripts_;
    std::vector<HeadlessWindow*> stack_;
    std::string title_ = "Mertavo";
};

}  // namespace win::headless
