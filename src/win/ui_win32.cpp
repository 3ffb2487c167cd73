#include <algorithm>
#include <optional>

#include "win/dialog.h"
#include "win/win32_strings.h"
#include "win/win32_ui.h"

namespace win {

struct Win32Ui::Run {
    Win32Ui& ui;
    Dialog& dialog;
    std::optional<Win32DialogWindow> window;
};

UINT MessageBoxFlags(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return MB_ICONINFORMATION | MB_OK;
        case MessageKind::Question:
            return MB_ICONQUESTION | MB_YESNO;
        case MessageKind::Error:
            break;
    }
    return MB_ICONERROR | MB_OK;
}

int Win32Ui::RunModal(Dialog& dialog, DialogWindow* parent) {
    Run run{*this, dialog, std::nullopt};
    HWND owner = parent ? static_cast<HWND>(parent->NativeHandle()) : nullptr;
    const INT_PTR result = DialogBoxParamA(module_, MAKEINTRESOURCEA(dialog.TemplateId()), owner,
                                           &Win32Ui::DialogProc, reinterpret_cast<LPARAM>(&run));
    if (run.window) stack_.pop_back();
    dialog.Attach(nullptr);
    return static_cast<int>(result);
}

INT_PTR CALLBACK Win32Ui::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* run = reinterpret_cast<Run*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        run->window.emplace(window, run->ui.module_, run->dialog, run->ui.attachPopupButton_);
        run->ui.stack_.push_back(&*run->window);
        run->dialog.Attach(&*run->window);
        return run->dialog.Initialize() ? TRUE : FALSE;
    }
    // Messages before WM_INITDIALOG (the font, the frame) find no run yet.
    auto* run = reinterpret_cast<Run*>(GetWindowLongPtrA(window, DWLP_USER));
    if (run == nullptr || !run->window) return FALSE;
    return Handle(*run, message, wParam, lParam);
}

INT_PTR Win32Ui::Handle(Run& run, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog& dialog = run.dialog;
    Win32DialogWindow& window = *run.window;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            HWND control = reinterpret_cast<HWND>(lParam);
            Message event{Event::Command, id};
            if (control != nullptr) {
                const ControlClass kind = ClassOf(control);
                if (kind == ControlClass::Edit && code == EN_CHANGE) {
                    event.event = Event::Change;
                } else if ((kind == ControlClass::ListBox && code == LBN_SELCHANGE) ||
                           (kind == ControlClass::ComboBox && code == CBN_SELCHANGE)) {
                    event.event = Event::SelChange;
                } else if (code != BN_CLICKED || kind == ControlClass::Edit ||
                           kind == ControlClass::ListBox || kind == ControlClass::ComboBox) {
                    return FALSE;  // other notifications are not ours
                }
            }
            // Without a control: a menu item (code 0) or an accelerator (code 1).
            return dialog.Dispatch(event) ? TRUE : FALSE;
        }
        case WM_VSCROLL: {
            HWND sender = reinterpret_cast<HWND>(lParam);
            Message event{Event::VScroll, sender ? GetDlgCtrlID(sender) : 0};
            event.code = LOWORD(wParam);
            event.pos = HIWORD(wParam);
            return dialog.Dispatch(event) ? TRUE : FALSE;
        }
        case WM_PAINT: {
            if (IsIconic(window.Handle()) && window.Icon() != nullptr) {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window.Handle(), &paint);
                RECT client{};
                GetClientRect(window.Handle(), &client);
                const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
                const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
                DrawIcon(dc, x, y, window.Icon());
                EndPaint(window.Handle(), &paint);
                return TRUE;
            }
            if (!dialog.HasHandler(Event::Paint, 0)) return FALSE;
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window.Handle(), &paint);
            window.BeginPainting(dc);
            dialog.Dispatch(Message{Event::Paint});
            window.EndPainting();
            EndPaint(window.Handle(), &paint);
            return TRUE;
        }
        case WM_QUERYDRAGICON:
            // One of the messages whose dialog-procedure result is the answer itself.
            return reinterpret_cast<INT_PTR>(window.Icon());
        case WM_SHOWWINDOW: {
            Message event{Event::Show};
            event.shown = wParam != 0;
            dialog.Dispatch(event);
            return FALSE;  // showing and hiding owned windows stays with the system
        }
        case WM_SYSCOMMAND: {
            Message event{Event::SysCommand, static_cast<int>(wParam & 0xFFF0)};
            return dialog.Dispatch(event) ? TRUE : FALSE;
        }
        default:
            return FALSE;
    }
}

int Win32Ui::MessageBox(std::string_view text, MessageKind kind) {
    HWND owner = stack_.empty() ? nullptr : stack_.back()->Handle();
    const std::string body(text.substr(0, text.find('\0')));
    return MessageBoxA(owner, body.c_str(), title_.c_str(), MessageBoxFlags(kind));
}

std::string Win32Ui::LoadString(int id) {
    return LoadModuleString(module_, id);
}

bool Win32Ui::HasString(int id) {
    return ModuleHasString(module_, id);
}

std::vector<MenuItem> Win32Ui::LoadMenu(int id) {
    std::vector<MenuItem> items;
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(id));
    if (menu == nullptr) return items;
    if (HMENU popup = GetSubMenu(menu, 0)) {
        const int count = GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID;
            if (!GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info)) continue;
            if (info.fType & MFT_SEPARATOR) continue;
            const int length =
                GetMenuStringA(popup, static_cast<UINT>(i), nullptr, 0, MF_BYPOSITION);
            std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
            const int copied = GetMenuStringA(popup, static_cast<UINT>(i), text.data(),
                                              static_cast<int>(text.size()), MF_BYPOSITION);
            text.resize(static_cast<size_t>(std::clamp(copied, 0, std::max(length, 0))));
            items.push_back({static_cast<int>(info.wID), std::move(text)});
        }
    }
    DestroyMenu(menu);
    return items;
}

}  // namespace win
