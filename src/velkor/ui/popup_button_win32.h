// Win32 side of the split button: the program gives it to the dialog layer's Win32
// backend (win::Win32Ui), which calls it from DialogWindow::AttachPopupButton.
#pragma once

#include <windows.h>

namespace ui {

// Takes over push button `controlId` of `dialog`: owner-drawn with a drop-down arrow,
// menu `menuId` loaded from `resources`. Drawing is handled by a subclass of
// `dialog` too, so the dialog procedure needs no part in it. False when the control
// or the menu is missing (the button then stays a plain button).
bool AttachPopupButtonWin32(HWND dialog, int controlId, int menuId, int commandId,
                            HINSTANCE resources);

}  // namespace ui
