// A tool run through the Win32 services beside a real window the runner is not told
// about: input that reaches the window while the tool runs is dropped when it ends,
// repaints are not.
#include <gtest/gtest.h>

#include "win/win32_services.h"

namespace {

struct Seen {
    int paints = 0;
    int others = 0;  // input and commands that reached the window procedure
};
Seen seen;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++seen.paints;
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_COMMAND:
            ++seen.others;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

TEST(ToolRun, InputQueuedDuringTheRunIsDiscardedAndPaintingGoesOn) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelkorToolRunTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND hwnd = CreateWindowExA(0, windowClass.lpszClassName, "tool run", WS_OVERLAPPEDWINDOW, 0, 0,
                                200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);  // hidden windows get no paint messages
    MSG message;
    while (PeekMessageA(&message, hwnd, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    seen = {};

    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(hwnd, WM_CHAR, 'a', 0);
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    InvalidateRect(hwnd, nullptr, TRUE);

    win::Win32Processes processes;
    processes.RunAndWait("cmd.exe /c exit", true);

    EXPECT_EQ(seen.others, 0);
    EXPECT_GE(seen.paints, 1);
    while (PeekMessageA(&message, hwnd, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_EQ(seen.others, 0) << "input was left in the queue";

    DestroyWindow(hwnd);
    UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
