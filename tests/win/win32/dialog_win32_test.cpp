// The Win32 backend of the dialog layer, driven from inside real modal runs: each
// test's script runs during initialisation and sends the notifications a user's
// actions would cause.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "layer_test_ids.h"
#include "win/dialog.h"
#include "win/win32_services.h"
#include "win/win32_ui.h"

namespace {

using win::Event;
using win::Message;

class LayerDlg : public win::Dialog {
public:
    using Script = std::function<void(LayerDlg&)>;
    LayerDlg(win::Ui& ui, Script script, int templateId = IDD_LAYER_TEST)
        : Dialog(ui, templateId), script_(std::move(script)) {
        static const win::MessageEntry<LayerDlg> map[] = {
            {Event::Command, IDC_T_BUTTON, &LayerDlg::Record},
            {Event::Command, 1452, &LayerDlg::Record},
            {Event::Command, 1453, &LayerDlg::Record},
            {Event::Change, IDC_T_EDIT, &LayerDlg::Record},
            {Event::SelChange, 0, &LayerDlg::Record},
            {Event::VScroll, 0, &LayerDlg::Record},
            {Event::Show, 0, &LayerDlg::Record},
            {Event::SysCommand, 0, &LayerDlg::OnSysCommand},
            {Event::Paint, 0, &LayerDlg::OnPaint},
        };
        UseMessageMap(this, map);
    }

    HWND Hwnd() const { return Win32().Handle(); }
    win::Win32DialogWindow& Win32() const { return static_cast<win::Win32DialogWindow&>(Window()); }
    // Sends a control notification as the control would.
    LRESULT Notify(int id, int code) {
        return SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                            reinterpret_cast<LPARAM>(GetDlgItem(Hwnd(), id)));
    }
    // Events seen since the last call.
    std::vector<Message> Take() { return std::exchange(events_, {}); }

    win::Point bitmapAt;  // clear of every control
    bool drewBitmap = false;
    bool drewMissingBitmap = true;
    std::function<void()> onPaint;

protected:
    bool OnInitDialog() override {
        script_(*this);
        return true;
    }

private:
    void Record(const Message& message) { events_.push_back(message); }
    win::Handling OnSysCommand(const Message& message) {
        Record(message);
        return message.id == 16 ? win::Handling::Done : win::Handling::AlsoDefault;
    }
    void OnPaint(const Message&) {
        drewBitmap = Window().DrawBitmap(IDB_T_BITMAP, bitmapAt);
        drewMissingBitmap = Window().DrawBitmap(9999, {bitmapAt.x + 20, bitmapAt.y});
        if (onPaint) onPaint();
    }

    Script script_;
    std::vector<Message> events_;
};

std::string Describe(const std::vector<Message>& events) {
    std::string text;
    for (const auto& m : events) {
        text += std::to_string(static_cast<int>(m.event)) + "/" + std::to_string(m.id) + "/" +
                std::to_string(m.code) + "/" + std::to_string(m.pos) + " ";
    }
    return text;
}

class Win32Layer : public testing::Test {
protected:
    win::Win32Ui ui{GetModuleHandleA(nullptr)};
};

TEST_F(Win32Layer, NotificationsBecomeEvents) {
    int result = 0;
    LayerDlg dialog(ui, [&](LayerDlg& d) {
        d.Take();
        d.Window().SetText(IDC_T_EDIT, "typed");  // the edit itself reports the change
        const auto change = d.Take();
        ASSERT_EQ(change.size(), 1u) << Describe(change);
        EXPECT_EQ(change[0].event, Event::Change);
        EXPECT_EQ(change[0].id, IDC_T_EDIT);

        const struct {
            int id;
            int code;
            Event event;
            bool delivered;
        } notifications[] = {
            {IDC_T_BUTTON, BN_CLICKED, Event::Command, true},
            {IDC_T_LIST, LBN_SELCHANGE, Event::SelChange, true},
            {IDC_T_COMBO, CBN_SELCHANGE, Event::SelChange, true},
            {IDC_T_LIST, LBN_DBLCLK, Event::Command, false},
            {IDC_T_EDIT, EN_SETFOCUS, Event::Command, false},
            {IDC_T_COMBO, CBN_DROPDOWN, Event::Command, false},
            {IDC_T_BUTTON, BN_SETFOCUS, Event::Command, false},
        };
        for (const auto& n : notifications) {
            d.Notify(n.id, n.code);
            const auto seen = d.Take();
            if (!n.delivered) {
                EXPECT_TRUE(seen.empty()) << n.id << " code " << n.code << ": " << Describe(seen);
                continue;
            }
            ASSERT_EQ(seen.size(), 1u) << n.id;
            EXPECT_EQ(seen[0].event, n.event) << n.id;
            EXPECT_EQ(seen[0].id, n.id);
        }

        // Menu item and accelerator: no control handle.
        SendMessageA(d.Hwnd(), WM_COMMAND, MAKEWPARAM(1452, 0), 0);
        SendMessageA(d.Hwnd(), WM_COMMAND, MAKEWPARAM(1453, 1), 0);
        auto commands = d.Take();
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].id, 1452);
        EXPECT_EQ(commands[1].id, 1453);

        SendMessageA(d.Hwnd(), WM_VSCROLL, MAKEWPARAM(win::kScrollThumbPosition, 1),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.Hwnd(), IDC_T_SPIN)));
        auto scroll = d.Take();
        ASSERT_EQ(scroll.size(), 1u);
        EXPECT_EQ(scroll[0].event, Event::VScroll);
        EXPECT_EQ(scroll[0].id, IDC_T_SPIN);
        EXPECT_EQ(scroll[0].code, win::kScrollThumbPosition);
        EXPECT_EQ(scroll[0].pos, 1);

        // The low four bits of a system command are the system's own.
        EXPECT_EQ(SendMessageA(d.Hwnd(), WM_SYSCOMMAND, 16 | 3, 0), 0);
        auto system = d.Take();
        ASSERT_EQ(system.size(), 1u);
        EXPECT_EQ(system[0].event, Event::SysCommand);
        EXPECT_EQ(system[0].id, 16);

        d.Notify(IDCANCEL, BN_CLICKED);  // the default handling ends the run
    });
    result = dialog.RunModal(nullptr);
    EXPECT_EQ(result, win::kIdCancel);
}

TEST_F(Win32Layer, ControlsFollowTheCalls) {
    LayerDlg dialog(ui, [](LayerDlg& d) {
        auto& w = d.Window();
        w.SetText(IDC_T_EDIT, "abcdef");
        EXPECT_EQ(w.Text(IDC_T_EDIT), "abcdef");
        w.SetEditSelection(IDC_T_EDIT, {2, 4});
        EXPECT_EQ(w.EditSelection(IDC_T_EDIT), (win::TextSelection{2, 4}));
        EXPECT_EQ(w.Text(9999), "");  // no such control

        for (int id : {IDC_T_LIST, IDC_T_COMBO}) {
            EXPECT_EQ(w.AddItem(id, "zeta"), 0);
            EXPECT_EQ(w.AddItem(id, "alpha"), 1);  // unsorted: line i is item i
            EXPECT_EQ(w.ItemCount(id), 2);
            EXPECT_EQ(w.ItemText(id, 1), "alpha");
            EXPECT_EQ(w.ItemText(id, 5), "");
            EXPECT_EQ(w.Selection(id), -1);
            w.Select(id, 1);
            EXPECT_EQ(w.Selection(id), 1);
            w.Select(id, -1);
            EXPECT_EQ(w.Selection(id), -1);
            w.ClearItems(id);
            EXPECT_EQ(w.ItemCount(id), 0);
        }

        // The horizontal extent is the widest line in the list's font plus 5.
        const std::string wide(60, 'W');
        w.AddItem(IDC_T_LIST, "i");
        w.AddItem(IDC_T_LIST, wide);
        w.FitHorizontalExtent(IDC_T_LIST);
        HWND list = d.Win32().Hwnd(IDC_T_LIST);
        HDC dc = GetDC(list);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(list, dc);
        EXPECT_EQ(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), size.cx + 5);

        w.SetSpinRange(IDC_T_SPIN, -3, 7);
        int lower = 0;
        int upper = 0;
        SendMessageA(d.Win32().Hwnd(IDC_T_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, -3);
        EXPECT_EQ(upper, 7);

        w.CheckRadio(IDC_T_RADIO_A, IDC_T_RADIO_B, IDC_T_RADIO_B);
        EXPECT_FALSE(w.IsChecked(IDC_T_RADIO_A));
        EXPECT_TRUE(w.IsChecked(IDC_T_RADIO_B));

        w.Enable(IDC_T_BUTTON, false);
        EXPECT_FALSE(w.IsEnabled(IDC_T_BUTTON));
        w.Enable(IDC_T_BUTTON, true);
        EXPECT_TRUE(w.IsEnabled(IDC_T_BUTTON));
        // The dialog is not shown yet; a control's own visibility still reads true.
        EXPECT_TRUE(w.IsVisible(IDC_T_BUTTON));
        w.Show(IDC_T_BUTTON, false);
        EXPECT_FALSE(w.IsVisible(IDC_T_BUTTON));

        RECT expected{5, 5, 0, 0};
        MapDialogRect(d.Hwnd(), &expected);
        EXPECT_EQ(w.ControlOrigin(IDC_T_EDIT), (win::Point{expected.left, expected.top}));

        w.SetTitle("Renamed");
        char title[32] = {};
        GetWindowTextA(d.Hwnd(), title, sizeof title);
        EXPECT_STREQ(title, "Renamed");

        w.AppendSystemMenuItem(16, "About...");
        HMENU system = GetSystemMenu(d.Hwnd(), FALSE);
        const int count = GetMenuItemCount(system);
        char item[32] = {};
        GetMenuStringA(system, 16, item, sizeof item, MF_BYCOMMAND);
        EXPECT_STREQ(item, "About...");
        EXPECT_EQ(GetMenuItemID(system, count - 1), 16u);
        EXPECT_EQ(GetMenuState(system, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
                  static_cast<UINT>(MF_SEPARATOR));

        EXPECT_NE(d.Win32().Hwnd(IDC_T_BUTTON), nullptr);  // where the split button attaches
        d.EndDialog(7);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), 7);
}

TEST_F(Win32Layer, PaintDrawsBitmapsWithTheirCornerColourTransparent) {
    COLORREF inside = 0;
    COLORREF corner = 0;
    bool shown = false;
    LayerDlg dialog(ui, [&](LayerDlg& d) {
        RECT free{150, 30, 0, 0};
        MapDialogRect(d.Hwnd(), &free);
        d.bitmapAt = {free.left, free.top};
        ShowWindow(d.Hwnd(), SW_SHOWNORMAL);
        for (const auto& m : d.Take()) shown = shown || (m.event == Event::Show && m.shown);
        d.Window().Invalidate(true);
        UpdateWindow(d.Hwnd());
        HDC dc = GetDC(d.Hwnd());
        inside = GetPixel(dc, d.bitmapAt.x + 1, d.bitmapAt.y + 1);
        corner = GetPixel(dc, d.bitmapAt.x, d.bitmapAt.y);
        ReleaseDC(d.Hwnd(), dc);
        d.EndDialog(win::kIdOk);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialog.drewBitmap);
    EXPECT_FALSE(dialog.drewMissingBitmap);
    EXPECT_EQ(inside, RGB(0, 0, 255));
    EXPECT_NE(corner, RGB(255, 0, 0));
}

TEST_F(Win32Layer, NestedRunsTrackTheActiveWindowAndOwnIt) {
    HWND outerHandle = nullptr;
    HWND innerOwner = nullptr;
    win::Win32DialogWindow* activeInside = nullptr;
    LayerDlg outer(ui, [&](LayerDlg& d) {
        outerHandle = d.Hwnd();
        EXPECT_EQ(ui.ActiveWindow(), &d.Win32());
        LayerDlg inner(ui, [&](LayerDlg& i) {
            activeInside = ui.ActiveWindow();
            EXPECT_EQ(activeInside, &i.Win32());
            innerOwner = GetWindow(i.Hwnd(), GW_OWNER);
            i.EndDialog(3);
        });
        EXPECT_EQ(inner.RunModal(&d.Window()), 3);
        EXPECT_EQ(ui.ActiveWindow(), &d.Win32());
        d.EndDialog(4);
    });
    EXPECT_EQ(outer.RunModal(nullptr), 4);
    EXPECT_EQ(innerOwner, outerHandle);
    EXPECT_EQ(ui.ActiveWindow(), nullptr);

    LayerDlg missing(
        ui, [](LayerDlg&) { ADD_FAILURE(); }, 4242);
    EXPECT_EQ(missing.RunModal(nullptr), -1);
    EXPECT_EQ(ui.ActiveWindow(), nullptr);
}

TEST_F(Win32Layer, StringsAndMenusOfTheModule) {
    EXPECT_EQ(ui.LoadString(IDS_T_SHORT), "Layer Test");
    EXPECT_EQ(ui.LoadString(IDS_T_LONG).size(), 280u);  // longer than any fixed buffer
    EXPECT_EQ(ui.LoadString(4321), "");
    EXPECT_TRUE(ui.HasString(IDS_T_SHORT));
    EXPECT_FALSE(ui.HasString(4321));

    EXPECT_EQ(
        ui.LoadMenu(IDM_T_MENU),
        (std::vector<win::MenuItem>{{1452, "Send to printer"}, {1453, "Save printer data..."}}));
    EXPECT_TRUE(ui.LoadMenu(4321).empty());

    EXPECT_EQ(ui.ApplicationTitle(), "Mertavo");
    ui.SetApplicationTitle("Layer Test");
    EXPECT_EQ(ui.ApplicationTitle(), "Layer Test");
}

// While a tool runs the window is repainted but takes no input; what the user did
// meanwhile is thrown away when the tool ends, not handled afterwards.
TEST_F(Win32Layer, ToolRunRepaintsAndDropsQueuedInput) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string stem =
        std::string(temp) + "velkor-run-" + std::to_string(GetCurrentProcessId());
    const std::string painted = stem + "-painted";  // written by the paint handler
    const std::string seen = stem + "-seen";        // written by the tool when it saw it
    const std::string script = stem + ".bat";
    {
        // The tool ends as soon as the window has been painted, or gives up.
        std::ofstream bat(script);
        bat << "@echo off\r\nset /a n=0\r\n:wait\r\n"
            << "if exist \"" << painted << "\" goto painted\r\n"
            << "set /a n+=1\r\nif %n% lss 3000 goto wait\r\nexit /b 1\r\n"
            << ":painted\r\necho seen> \"" << seen << "\"\r\n";
    }

    bool inputLeft = true;
    LayerDlg dialog(ui, [&](LayerDlg& d) {
        d.onPaint = [&] {
            HANDLE file = CreateFileA(painted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        };
        ShowWindow(d.Hwnd(), SW_SHOWNORMAL);
        UpdateWindow(d.Hwnd());
        DeleteFileA(painted.c_str());
        d.Take();

        // A button command, a click and typing, queued as the user's actions would be.
        HWND button = d.Win32().Hwnd(IDC_T_BUTTON);
        HWND edit = d.Win32().Hwnd(IDC_T_EDIT);
        PostMessageA(d.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_T_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        PostMessageA(edit, WM_CHAR, 'x', 1);
        d.Window().Invalidate(true);

        win::Win32Processes processes;
        processes.RunAndWait("cmd.exe /c \"" + script + "\"", true);
        // A tool that cannot be started does not hold the window either.
        processes.RunAndWait(stem + "-missing-tool.exe", true);

        MSG message;
        inputLeft = PeekMessageA(&message, d.Hwnd(), 0, WM_PAINT - 1, PM_NOREMOVE) ||
                    PeekMessageA(&message, d.Hwnd(), WM_PAINT + 1, 0xFFFFFFFF, PM_NOREMOVE);
        // Whatever is still queued runs before this ends the dialog.
        PostMessageA(d.Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(d.Win32().Hwnd(IDCANCEL)));
    });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdCancel);

    EXPECT_NE(GetFileAttributesA(seen.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the window was not repainted while the tool ran";
    EXPECT_FALSE(inputLeft);
    for (const auto& event : dialog.Take()) {
        EXPECT_TRUE(event.event != Event::Command && event.event != Event::Change)
            << Describe({event});
    }
    for (const auto& path : {painted, seen, script}) DeleteFileA(path.c_str());
}

// A control that never validates its paint region is painted again and again; the
// wait still sees the tool end and returns.
TEST_F(Win32Layer, ToolRunEndsBesideAWindowThatNeverValidates) {
    static int paints = 0;
    WNDCLASSA kind{};
    kind.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
        ++paints;
        return 0;
    };
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "VelkorNeverValidated";
    ASSERT_NE(RegisterClassA(&kind), 0);

    LayerDlg dialog(ui, [&](LayerDlg& d) {
        ShowWindow(d.Hwnd(), SW_SHOWNORMAL);
        HWND child = CreateWindowA(kind.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                   d.Hwnd(), nullptr, kind.hInstance, nullptr);
        EXPECT_NE(child, nullptr);
        InvalidateRect(child, nullptr, FALSE);
        win::Win32Processes processes;
        processes.RunAndWait("cmd.exe /c exit", true);
        DestroyWindow(child);
        d.EndDialog(win::kIdOk);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    EXPECT_GT(paints, 0);
    UnregisterClassA(kind.lpszClassName, kind.hInstance);
}

TEST(Win32MessageBox, KindsChooseIconAndButtons) {
    EXPECT_EQ(win::MessageBoxFlags(win::MessageKind::Error),
              static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(win::MessageBoxFlags(win::MessageKind::Information),
              static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(win::MessageBoxFlags(win::MessageKind::Question),
              static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
}

}  // namespace
