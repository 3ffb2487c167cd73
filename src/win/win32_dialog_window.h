// Win32 backend of DialogWindow: one object per modal run, wrapping the dialog's
// window handle. Platform pieces that need more than the interface offers (the
// owner-drawn split button subclasses its control) reach the handles from here.
#pragma once

#include "win/dialog_window.h"
#include "win/win32_api.h"

namespace win {

class Dialog;

// Turns push button `controlId` of `dialog` into a split button with menu `menuId`
// of `resources` (DialogWindow::AttachPopupButton). The layer has no split button of
// its own: the program hands it one (ui/popup_button_win32.h).
using AttachPopupButtonFn = bool (*)(HWND dialog, int controlId, int menuId, int commandId,
                                     HINSTANCE resources);

class Win32DialogWindow : public DialogWindow {
public:
    // Without `attachPopupButton` split buttons stay plain push buttons.
    Win32DialogWindow(HWND window, HINSTANCE module, Dialog& dialog,
                      AttachPopupButtonFn attachPopupButton = nullptr)
        : window_(window),
          module_(module),
          dialog_(dialog),
          attachPopupButton_(attachPopupButton) {}

    HWND Handle() const { return window_; }
    // The handle of control `id`; null when the template has no such control.
    HWND Hwnd(int id) const { return GetDlgItem(window_, id); }
    HINSTANCE Module() const { return module_; }
    Dialog& GetDialog() const { return dialog_; }
    // The window icon set by SetIcon; null before.
    HICON Icon() const { return icon_; }

    // The dialog procedure brackets a Paint event with these.
    void BeginPainting(HDC dc) { paintDc_ = dc; }
    void EndPainting() { paintDc_ = nullptr; }

    void SetTitle(std::string_view title) override;
    void SetIcon(int iconId) override;
    void AppendSystemMenuItem(int command, std::string_view text) override;
    void Invalidate(bool erase) override;
    void MoveToParentClientOrigin() override;
    void EndModal(int result) override;
    void* NativeHandle() const override { return window_; }

    std::string Text(int id) const override;
    void SetText(int id, std::string_view text) override;
    bool IsEnabled(int id) const override;
    void Enable(int id, bool enabled) override;
    bool IsVisible(int id) const override;
    void Show(int id, bool shown) override;
    void Focus(int id) override;
    Point ControlOrigin(int id) const override;

    void ClearItems(int id) override;
    int AddItem(int id, std::string_view text) override;
    void SetItems(int id, const std::vector<std::string>& lines) override;
    int ItemCount(int id) const override;
    std::string ItemText(int id, int index) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    void FitHorizontalExtent(int id) override;

    TextSelection EditSelection(int id) const override;
    void SetEditSelection(int id, TextSelection selection) override;
    void ScrollCaret(int id) override;

    void SetSpinRange(int id, int lower, int upper) override;
    void CheckRadio(int firstId, int lastId, int checkedId) override;
    bool IsChecked(int id) const override;

    bool DrawBitmap(int bitmapId, Point at) override;
    void AttachPopupButton(int controlId, int menuId, int commandId) override;

private:
    HWND window_;
    HINSTANCE module_;
    Dialog& dialog_;
    AttachPopupButtonFn attachPopupButton_;
    HICON icon_ = nullptr;
    HDC paintDc_ = nullptr;
};

// The kind of a control, told by its window class.
enum class ControlClass { Other, Button, Edit, ListBox, ComboBox };
ControlClass ClassOf(HWND control);

}  // namespace win
