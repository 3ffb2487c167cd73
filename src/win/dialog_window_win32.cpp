#include <algorithm>
#include <string>

// clang-format off
// win32_api.h (through this header) before any header that includes <windows.h>
// itself, so that our interfaces keep their method names.
#include "win/win32_dialog_window.h"
// clang-format on

namespace win {
namespace {

std::string Terminated(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

bool IsCombo(HWND control) {
    return ClassOf(control) == ControlClass::ComboBox;
}

}  // namespace

ControlClass ClassOf(HWND control) {
    char name[32] = {};
    if (control == nullptr || GetClassNameA(control, name, sizeof name) == 0)
        return ControlClass::Other;
    if (lstrcmpiA(name, "Button") == 0) return ControlClass::Button;
    if (lstrcmpiA(name, "Edit") == 0) return ControlClass::Edit;
    if (lstrcmpiA(name, "ListBox") == 0) return ControlClass::ListBox;
    if (lstrcmpiA(name, "ComboBox") == 0) return ControlClass::ComboBox;
    return ControlClass::Other;
}

void Win32DialogWindow::SetTitle(std::string_view title) {
    SetWindowTextA(window_, Terminated(title).c_str());
}

void Win32DialogWindow::SetIcon(int iconId) {
    icon_ = LoadIconA(module_, MAKEINTRESOURCEA(iconId));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void Win32DialogWindow::AppendSystemMenuItem(int command, std::string_view text) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (menu == nullptr) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), Terminated(text).c_str());
}

void Win32DialogWindow::Invalidate(bool erase) {
    InvalidateRect(window_, nullptr, erase);
}

void Win32DialogWindow::MoveToParentClientOrigin() {
    HWND parent = GetParent(window_);  // the owner, for a dialog
    if (parent == nullptr) return;
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    SetWindowPos(window_, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32DialogWindow::EndModal(int result) {
    ::EndDialog(window_, result);
}

std::string Win32DialogWindow::Text(int id) const {
    HWND control = Hwnd(id);
    if (control == nullptr) return {};
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void Win32DialogWindow::SetText(int id, std::string_view text) {
    SetDlgItemTextA(window_, id, Terminated(text).c_str());
}

bool Win32DialogWindow::IsEnabled(int id) const {
    HWND control = Hwnd(id);
    return control != nullptr && IsWindowEnabled(control);
}

void Win32DialogWindow::Enable(int id, bool enabled) {
    if (HWND control = Hwnd(id)) EnableWindow(control, enabled);
}

bool Win32DialogWindow::IsVisible(int id) const {
    // The control's own flag: while the dialog itself is still hidden (during
    // initialisation) IsWindowVisible would report every control hidden.
    HWND control = Hwnd(id);
    return control != nullptr && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogWindow::Show(int id, bool shown) {
    if (HWND control = Hwnd(id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void Win32DialogWindow::Focus(int id) {
    // Through the dialog manager, so that the default button follows the focus.
    if (HWND control = Hwnd(id)) {
        SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
}

Point Win32DialogWindow::ControlOrigin(int id) const {
    HWND control = Hwnd(id);
    RECT rect{};
    if (control == nullptr || !GetWindowRect(control, &rect)) return {};
    POINT origin{rect.left, rect.top};
    ScreenToClient(window_, &origin);
    return {origin.x, origin.y};
}

void Win32DialogWindow::ClearItems(int id) {
    HWND control = Hwnd(id);
    Send(control, IsCombo(control) ? CB_RESETCONTENT : LB_RESETCONTENT);
}

void Win32DialogWindow::SetItems(int id, const std::vector<std::string>& lines) {
    HWND control = Hwnd(id);
    if (control == nullptr) return;
    // Each added line would repaint a visible list; one repaint at the end instead.
    Send(control, WM_SETREDRAW, FALSE);
    ClearItems(id);
    for (const auto& line : lines) AddItem(id, line);
    Send(control, WM_SETREDRAW, TRUE);
    InvalidateRect(control, nullptr, TRUE);
}

int Win32DialogWindow::AddItem(int id, std::string_view text) {
    HWND control = Hwnd(id);
    if (control == nullptr) return -1;
    const std::string item = Terminated(text);
    const LRESULT index = Send(control, IsCombo(control) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(item.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

int Win32DialogWindow::ItemCount(int id) const {
    HWND control = Hwnd(id);
    if (control == nullptr) return 0;
    const LRESULT count = Send(control, IsCombo(control) ? CB_GETCOUNT : LB_GETCOUNT);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string Win32DialogWindow::ItemText(int id, int index) const {
    HWND control = Hwnd(id);
    if (control == nullptr || index < 0) return {};
    const bool combo = IsCombo(control);
    const LRESULT length = Send(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                                reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(std::min<LRESULT>(copied, length)));
    return text;
}

int Win32DialogWindow::Selection(int id) const {
    HWND control = Hwnd(id);
    if (control == nullptr) return -1;
    const LRESULT index = Send(control, IsCombo(control) ? CB_GETCURSEL : LB_GETCURSEL);
    return index < 0 ? -1 : static_cast<int>(index);
}

void Win32DialogWindow::Select(int id, int index) {
    HWND control = Hwnd(id);
    Send(control, IsCombo(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
}

void Win32DialogWindow::FitHorizontalExtent(int id) {
    HWND list = Hwnd(id);
    if (list == nullptr) return;
    HDC dc = GetDC(list);
    if (dc == nullptr) return;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(Send(list, WM_GETFONT));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    LONG widest = 0;
    const int count = ItemCount(id);
    for (int i = 0; i < count; ++i) {
        const std::string line = ItemText(id, i);
        SIZE size{};
        if (GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size)) {
            widest = std::max(widest, size.cx);
        }
    }
    if (previous) SelectObject(dc, previous);
    ReleaseDC(list, dc);
    Send(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 5));
}

TextSelection Win32DialogWindow::EditSelection(int id) const {
    DWORD start = 0;
    DWORD end = 0;
    Send(Hwnd(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void Win32DialogWindow::SetEditSelection(int id, TextSelection selection) {
    Send(Hwnd(id), EM_SETSEL, static_cast<WPARAM>(selection.start),
         static_cast<LPARAM>(selection.end));
}

void Win32DialogWindow::ScrollCaret(int id) {
    Send(Hwnd(id), EM_SCROLLCARET);
}

void Win32DialogWindow::SetSpinRange(int id, int lower, int upper) {
    Send(Hwnd(id), UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void Win32DialogWindow::CheckRadio(int firstId, int lastId, int checkedId) {
    CheckRadioButton(window_, firstId, lastId, checkedId);
}

bool Win32DialogWindow::IsChecked(int id) const {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

bool Win32DialogWindow::DrawBitmap(int bitmapId, Point at) {
    if (paintDc_ == nullptr) return false;
    HBITMAP bitmap = LoadBitmapA(module_, MAKEINTRESOURCEA(bitmapId));
    if (bitmap == nullptr) return false;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(paintDc_);
    HGDIOBJ previous = SelectObject(source, bitmap);
    const COLORREF transparent = GetPixel(source, 0, 0);
    TransparentBlt(paintDc_, at.x, at.y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth,
                   info.bmHeight, transparent);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    return true;
}

void Win32DialogWindow::AttachPopupButton(int controlId, int menuId, int commandId) {
    if (attachPopupButton_) attachPopupButton_(window_, controlId, menuId, commandId, module_);
}

}  // namespace win
