#include "velkor/ui/popup_button_win32.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "velkor/ui/popup_button.h"

namespace ui {
namespace {

constexpr UINT_PTR kButtonSubclassId = 0x70B0;

struct ButtonState {
    HINSTANCE resources = nullptr;
    int menuId = 0;
    int commandId = 0;
    bool hot = false;
};

// The first submenu's items as the platform-free rules see them.
std::vector<win::MenuItem> ReadItems(HMENU submenu) {
    std::vector<win::MenuItem> items;
    const int count = GetMenuItemCount(submenu);
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        GetMenuStringA(submenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT id = GetMenuItemID(submenu, i);
        items.push_back({id == static_cast<UINT>(-1) ? 0 : static_cast<int>(id), text});
    }
    return items;
}

// Loads menu `menuId` and gives the items of its first submenu; false when missing.
bool LoadItems(const ButtonState& state, std::vector<win::MenuItem>& items) {
    HMENU menu = LoadMenuA(state.resources, MAKEINTRESOURCEA(state.menuId));
    if (!menu) return false;
    HMENU submenu = GetSubMenu(menu, 0);
    if (submenu) items = ReadItems(submenu);
    DestroyMenu(menu);
    return submenu != nullptr;
}

void PostCommand(HWND button, int command) {
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ShowMenu(HWND button, const ButtonState& state) {
    std::vector<win::MenuItem> items;
    if (!LoadItems(state, items)) return;
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    for (const auto& item : OfferedItems(items, state.commandId)) {
        if (item.command == 0 && item.text.empty())
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
    }
    RECT rc;
    GetWindowRect(button, &rc);
    // The chosen command comes back to the button as WM_COMMAND (it owns the menu).
    TrackPopupMenu(popup, 0, rc.left, rc.bottom, 0, button, nullptr);
    DestroyMenu(popup);
}

RECT ToRect(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

void DrawLine(HDC dc, const Line& line) {
    MoveToEx(dc, line.x1, line.y1, nullptr);
    LineTo(dc, line.x2, line.y2);
}

void Draw(const DRAWITEMSTRUCT& item, const ButtonState& state) {
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    wchar_t text[257] = {};
    GetWindowTextW(item.hwndItem, text, 257);

    const Rect itemRect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    HTHEME theme = OpenThemeData(item.hwndItem, L"Button");
    const PopupDrawing drawing = LayOutPopupButton(itemRect, theme != nullptr, selected);
    const int themeState = ThemeState(selected, state.hot, disabled);

    RECT frame = ToRect(drawing.frame);
    if (theme) {
        DrawThemeBackground(theme, dc, BP_PUSHBUTTON, themeState, &frame, nullptr);
    } else {
        UINT flags =
            DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0);
        DrawFrameControl(dc, &frame, DFC_BUTTON, flags);
    }

    HPEN separatorPen = CreatePen(PS_INSIDEFRAME, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN arrowPen = CreatePen(PS_SOLID, 1, disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    SelectObject(dc, separatorPen);
    DrawLine(dc, drawing.separator);
    SelectObject(dc, arrowPen);
    for (const Line& line : drawing.arrow) DrawLine(dc, line);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = ToRect(drawing.focus);
        DrawFocusRect(dc, &focus);
    }

    RECT textRect = ToRect(drawing.text);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (theme) {
        RECT content = textRect;
        GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, themeState, &textRect, &content);
        DrawThemeText(theme, dc, BP_PUSHBUTTON, themeState, text, -1, format, 0, &content);
        CloseThemeData(theme);
    } else {
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, -1, &textRect, format);
    }
    RestoreDC(dc, saved);
    DeleteObject(separatorPen);
    DeleteObject(arrowPen);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR subclassId, DWORD_PTR refData) {
    auto& state = *reinterpret_cast<ButtonState*>(refData);
    switch (message) {
        case WM_LBUTTONDOWN: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            if (ActionForClick(GET_X_LPARAM(lParam), rc.right - rc.left) == PopupAction::ShowMenu) {
                ShowMenu(hwnd, state);
                return 0;
            }
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            PostCommand(hwnd, state.commandId);
            return result;
        }
        case WM_GETDLGCODE: {
            // The dialog manager would take Enter and the arrows for itself; ask for
            // the keys the button answers.
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN &&
                ActionForKey(static_cast<int>(msg->wParam)) != PopupAction::None)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            switch (ActionForKey(static_cast<int>(wParam))) {
                case PopupAction::PostCommand:
                    PostCommand(hwnd, state.commandId);
                    return 0;
                case PopupAction::ShowMenu:
                    ShowMenu(hwnd, state);
                    return 0;
                case PopupAction::None:
                    break;
            }
            break;
        case WM_MOUSEMOVE:
            if (!state.hot) {
                state.hot = true;
                InvalidateRect(hwnd, nullptr, TRUE);
                TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, HOVER_DEFAULT};
                TrackMouseEvent(&track);
            }
            break;
        case WM_MOUSELEAVE:
            state.hot = false;
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_COMMAND:
            // A command chosen from the drop-down menu.
            if (HIWORD(wParam) == 0 && lParam == 0) {
                PostCommand(hwnd, LOWORD(wParam));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, ButtonProc, subclassId);
            delete &state;
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Owner-draw requests reach the parent; the parent's subclass, one per split button,
// carries that button's state, draws for it and passes everything else on. The
// button is destroyed before its parent, so no draw request outlives the state.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR controlId, DWORD_PTR refData) {
    if (message == WM_DRAWITEM && wParam == controlId && refData) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        Draw(item, *reinterpret_cast<const ButtonState*>(refData));
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ParentProc, controlId);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

bool AttachPopupButtonWin32(HWND dialog, int controlId, int menuId, int commandId,
                            HINSTANCE resources) {
    HWND button = GetDlgItem(dialog, controlId);
    if (!button) return false;
    auto state = new ButtonState{resources, menuId, commandId, false};
    std::vector<win::MenuItem> items;
    if (!LoadItems(*state, items)) {
        delete state;
        return false;
    }
    state->commandId = ResolveCommand(items, commandId);
    if (auto text = CommandText(items, state->commandId)) SetWindowTextA(button, text->c_str());

    if (!SetWindowSubclass(button, ButtonProc, kButtonSubclassId,
                           reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        return false;
    }
    SetWindowSubclass(dialog, ParentProc, static_cast<UINT_PTR>(controlId),
                      reinterpret_cast<DWORD_PTR>(state));
    const auto style = static_cast<uint32_t>(GetWindowLongA(button, GWL_STYLE));
    SendMessageA(button, BM_SETSTYLE, OwnerDrawButtonStyle(style), TRUE);
    return true;
}

}  // namespace ui
