// The window side of a dialog: everything a dialog does to its own window and its
// controls. Two backends implement it: Win32 (real windows) and headless (memory).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct TextSelection {
    int start = 0;
    int end = 0;
    bool operator==(const TextSelection&) const = default;
};

class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // Window
    virtual void SetTitle(std::string_view title) = 0;
    virtual void SetIcon(int iconId) = 0;  // large and small icon from the language module
    virtual void AppendSystemMenuItem(int command, std::string_view text) = 0;  // after a separator
    virtual void Invalidate(bool erase) = 0;
    // Moves the window, keeping its size, to the top-left corner of its parent's
    // client area (screen coordinates). The dialog layer calls it for a dialog that
    // asks for a Placement.
    virtual void MoveToParentClientOrigin() = 0;
    virtual void EndModal(int result) = 0;
    // The platform's window handle for services that must pump its messages (HWND
    // under Win32, null headless). Dialog logic never uses it.
    virtual void* NativeHandle() const = 0;

    // Any control
    virtual std::string Text(int id) const = 0;
    virtual void SetText(int id, std::string_view text) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual bool IsVisible(int id) const = 0;
    virtual void Show(int id, bool shown) = 0;
    virtual void Focus(int id) = 0;
    // Top-left corner of a control in the dialog's client coordinates.
    virtual Point ControlOrigin(int id) const = 0;

    // List boxes and combo boxes (unsorted; line i is item i)
    virtual void ClearItems(int id) = 0;
    virtual int AddItem(int id, std::string_view text) = 0;
    // Replaces every line at once: the control is repainted once, not per line.
    virtual void SetItems(int id, const std::vector<std::string>& lines) = 0;
    virtual int ItemCount(int id) const = 0;
    virtual std::string ItemText(int id, int index) const = 0;
    virtual int Selection(int id) const = 0;     // -1 when nothing is selected
    virtual void Select(int id, int index) = 0;  // -1 clears the selection
    // Sets a list box's horizontal extent to its widest line plus 5 pixels.
    virtual void FitHorizontalExtent(int id) = 0;

    // Edit controls
    virtual TextSelection EditSelection(int id) const = 0;
    virtual void SetEditSelection(int id, TextSelection selection) = 0;
    virtual void ScrollCaret(int id) = 0;

    // Spin buttons, radio buttons
    virtual void SetSpinRange(int id, int lower, int upper) = 0;
    virtual void CheckRadio(int firstId, int lastId, int checkedId) = 0;
    virtual bool IsChecked(int id) const = 0;

    // Split buttons: turns push button `controlId` into a button with a drop-down
    // arrow offering the first submenu of menu `menuId`; `commandId` is the button's
    // own command, 0 for the submenu's first item. The button posts its commands to
    // this window as Command events. Backends without split buttons ignore it.
    virtual void AttachPopupButton(int controlId, int menuId, int commandId) {
        (void)controlId, (void)menuId, (void)commandId;
    }

    // Painting: valid only while a Paint event is handled. Draws bitmap `bitmapId`
    // of the language module at its own size with its top-left pixel's colour
    // transparent; false when the bitmap cannot be loaded (nothing drawn).
    virtual bool DrawBitmap(int bitmapId, Point at) = 0;
};

}  // namespace win
