// Checks every built language module (lang/<language>/kvx500ct.dll beside the test)
// against what the program looks up in it, as src/resources/resource_ids.h lists it:
// every dialog with every control it addresses, the menu, the icon, the pictures and
// every string; that mnemonics are unique per dialog and menu level; and that no
// text of a static, button or check box is cut off in its control.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/family/tools_win.h"
#include "tests/resources/resource_sources.h"
#include "velkor/ui/popup_button.h"

namespace {

namespace rs = resource_sources;
using family_test::WinPath;

const std::string kSource = WinPath(VELKOR_SOURCE_DIR);

const rs::ResourceIds& Ids() {
    static const rs::ResourceIds ids =
        rs::ReadResourceIds(rs::ReadFile(kSource + "\\src\\resources\\resource_ids.h"));
    return ids;
}

// Styles the program relies on: a control must have all of `need` and none of `refuse`.
struct StyleRule {
    int dialog;
    int control;
    const char* className;
    LONG need;
    LONG refuse;
};

const StyleRule kStyleRules[] = {
    // line i of the list is paper i: no sorting
    {IDD_MAIN, IDC_MAIN_LIST, "ListBox", LBS_NOTIFY | WS_HSCROLL | WS_VSCROLL, LBS_SORT},
    {IDD_MAIN, IDC_MAIN_POPUP, "Button", 0, 0},
    // line i of the history is entry i, newest first
    {IDD_HISTORY, IDC_HISTORY_LIST, "ListBox", LBS_NOTIFY | WS_VSCROLL, LBS_SORT},
    // entry index 0, 1, 2 is the kind: no sorting
    {IDD_EDITOR, IDC_ED_KIND, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    {IDD_ADVANCED, IDC_ADV_ENERGY, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    {IDD_ADVANCED, IDC_ADV_ADJUST_A1, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    {IDD_ADVANCED, IDC_ADV_ADJUST_A2, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    {IDD_ADVANCED, IDC_ADV_ADJUST_B1, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    {IDD_ADVANCED, IDC_ADV_ADJUST_B2, "ComboBox", CBS_DROPDOWNLIST, CBS_SORT},
    // the program sets each field's text itself; a buddy would fight it
    {IDD_EDITOR, IDC_ED_SPIN_WIDTH, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_LENGTH, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_GAP, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_RIGHT, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_TOP, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_LEFT, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_BOTTOM, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_MARK_LENGTH, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_EDITOR, IDC_ED_SPIN_MARK_OFFSET, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_ADVANCED, IDC_ADV_SPIN_X, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    {IDD_ADVANCED, IDC_ADV_SPIN_Y, UPDOWN_CLASSA, 0, UDS_AUTOBUDDY | UDS_SETBUDDYINT},
    // the two radio buttons form one group starting at millimetres
    {IDD_OPTION, IDC_OPT_MM, "Button", WS_GROUP, 0},
    {IDD_OPTION, IDC_OPT_INCH, "Button", 0, WS_GROUP},
    // placeholders are never painted themselves; the pictures are drawn over them
    {IDD_EDITOR, IDC_ED_PIC_KIND, "Static", 0, WS_VISIBLE},
    {IDD_EDITOR, IDC_ED_PIC_MARK, "Static", 0, WS_VISIBLE},
    {IDD_EDITOR, IDC_ED_PIC_RULER, "Static", 0, WS_VISIBLE},
    {IDD_ADVANCED, IDC_ADV_PICTURE, "Static", 0, WS_VISIBLE},
};

// Each picture with the placeholder it is drawn at.
struct Picture {
    int bitmap;
    int dialog;
    int placeholder;
};

const Picture kPictures[] = {
    {IDB_RULER, IDD_EDITOR, IDC_ED_PIC_RULER},
    {IDB_KIND_LABEL, IDD_EDITOR, IDC_ED_PIC_KIND},
    {IDB_KIND_ROLL, IDD_EDITOR, IDC_ED_PIC_KIND},
    {IDB_KIND_MARK, IDD_EDITOR, IDC_ED_PIC_KIND},
    {IDB_MARK_POSITIVE, IDD_EDITOR, IDC_ED_PIC_MARK},
    {IDB_MARK_NEGATIVE, IDD_EDITOR, IDC_ED_PIC_MARK},
    {IDB_FEED_POSITIVE, IDD_EDITOR, IDC_ED_PIC_MARK},
    {IDB_FEED_NEGATIVE, IDD_EDITOR, IDC_ED_PIC_MARK},
    {IDB_ADVANCED, IDD_ADVANCED, IDC_ADV_PICTURE},
};

// Controls whose text the program sets from another resource before the user sees
// them: the split button shows its menu's first command and keeps room for its arrow.
struct RuntimeText {
    int dialog;
    int control;
    int menu;
    int reserve;  // pixels at the right edge the text must leave free
};

const RuntimeText kRuntimeTexts[] = {
    {IDD_MAIN, IDC_MAIN_POPUP, IDM_POPUP, ui::kArrowZoneWidth},
};

// Lists the program fills with strings of the module.
struct ListEntries {
    int dialog;
    std::vector<int> lists;
    std::vector<int> strings;
};

std::vector<ListEntries> ListedStrings() {
    std::vector<int> adjust;
    for (int id = IDS_ADJUST_FIRST; id <= IDS_ADJUST_LAST; ++id) adjust.push_back(id);
    return {
        {IDD_EDITOR, {IDC_ED_KIND}, {IDS_KIND_ROLL, IDS_KIND_LABEL, IDS_KIND_MARK}},
        {IDD_ADVANCED,
         {IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2, IDC_ADV_ADJUST_B1, IDC_ADV_ADJUST_B2},
         adjust},
    };
}

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Styles as the template gives them: some controls drop style bits once created
// (a list box clears its scroll bar styles while nothing needs scrolling).
std::map<int, LONG> templateStyles;
HHOOK styleHook = nullptr;

LRESULT CALLBACK RecordStyles(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
        if (cs->style & WS_CHILD)
            templateStyles[static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu))] = cs->style;
    }
    return CallNextHookEx(styleHook, code, wp, lp);
}

std::string TestFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string TextOf(HWND w) {
    char text[1024] = {};
    int n = GetWindowTextA(w, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

// The module of every language, loaded once.
std::map<std::string, HMODULE>& Modules() {
    static std::map<std::string, HMODULE> modules;
    return modules;
}

class ResourceModule : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
    }
    std::string ModulePath() const {
        return TestFolder() + "lang\\" + GetParam() + "\\kvx500ct.dll";
    }
    void SetUp() override {
        HMODULE& module = Modules()[GetParam()];
        if (!module) module = LoadLibraryA(ModulePath().c_str());
        module_ = module;
        ASSERT_NE(module_, nullptr) << "cannot load " << ModulePath();
    }

    // A hidden instance of a template, destroyed at the end of the test.
    // templateStyles then holds its controls' template styles.
    HWND Create(int id) {
        templateStyles.clear();
        styleHook = SetWindowsHookExA(WH_CBT, RecordStyles, nullptr, GetCurrentThreadId());
        HWND w = CreateDialogParamA(module_, MAKEINTRESOURCEA(id), nullptr, QuietProc, 0);
        UnhookWindowsHookEx(styleHook);
        if (w) windows_.push_back(w);
        return w;
    }
    void TearDown() override {
        for (HWND w : windows_) DestroyWindow(w);
    }
    std::string String(int id) {
        char text[1024] = {};
        int n = LoadStringA(module_, id, text, sizeof text);
        return std::string(text, n > 0 ? n : 0);
    }
    std::wstring WideString(int id) {
        wchar_t text[1024] = {};
        int n = LoadStringW(module_, id, text, 1024);
        return std::wstring(text, n > 0 ? n : 0);
    }
    // The texts of menu `id` by level: the top level first, then each drop-down.
    std::vector<std::vector<std::string>> MenuTexts(int id) {
        std::vector<std::vector<std::string>> levels;
        HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(id));
        if (!menu) return levels;
        std::vector<HMENU> open = {menu};
        for (size_t i = 0; i < open.size(); ++i) {
            auto& level = levels.emplace_back();
            for (int item = 0; item < GetMenuItemCount(open[i]); ++item) {
                char text[256] = {};
                GetMenuStringA(open[i], item, text, sizeof text, MF_BYPOSITION);
                level.push_back(text);
                if (HMENU sub = GetSubMenu(open[i], item)) open.push_back(sub);
            }
        }
        DestroyMenu(menu);
        return levels;
    }
    // The text control `control` of `dialog` shows, and the pixels it must leave free.
    std::pair<std::string, int> ShownText(int dialog, HWND control) {
        const int id = GetDlgCtrlID(control);
        for (const RuntimeText& r : kRuntimeTexts) {
            if (r.dialog != dialog || r.control != id) continue;
            const auto levels = MenuTexts(r.menu);
            return {levels.size() > 1 && !levels[1].empty() ? levels[1][0] : "", r.reserve};
        }
        return {TextOf(control), 0};
    }
    std::vector<rs::StringEntry> SourceStrings() {
        return rs::ReadStrings(
            rs::ReadFile(kSource + "\\src\\resources\\lang\\" + GetParam() + "\\strings.def"), Ids());
    }

    HMODULE module_ = nullptr;
    std::vector<HWND> windows_;
};

TEST(ResourceSourcesUnderWine, HeaderAndLanguagesAreRead) {
    EXPECT_EQ(Ids().templates.size(), 7u);
    EXPECT_FALSE(Ids().strings.empty());
    EXPECT_EQ(rs::Languages(kSource), (std::vector<std::string>{"de", "en"}));
}

TEST_P(ResourceModule, EveryTemplateHoldsItsControlsAndStartsHidden) {
    for (const rs::Owner& t : Ids().templates) {
        HWND dlg = Create(t.id);
        ASSERT_NE(dlg, nullptr) << t.name << " template " << t.id;
        EXPECT_FALSE(IsWindowVisible(dlg)) << t.name;
        for (int control : t.members)
            EXPECT_NE(GetDlgItem(dlg, control), nullptr) << t.name << " control " << control;
    }
}

TEST_P(ResourceModule, ControlsHaveTheClassAndStylesTheProgramRelies) {
    for (const StyleRule& r : kStyleRules) {
        HWND dlg = Create(r.dialog);
        ASSERT_NE(dlg, nullptr) << r.dialog;
        HWND c = GetDlgItem(dlg, r.control);
        ASSERT_NE(c, nullptr) << r.control;
        EXPECT_STRCASEEQ(ClassOf(c).c_str(), r.className) << r.control;
        ASSERT_EQ(templateStyles.count(r.control), 1u) << r.control;
        LONG style = templateStyles[r.control];
        EXPECT_EQ(style & r.need, r.need)
            << "control " << r.control << " style " << std::hex << style;
        EXPECT_EQ(style & r.refuse, 0) << "control " << r.control << " style " << std::hex << style;
    }
}

TEST_P(ResourceModule, MainWindowIsTitledAndCanBeMinimised) {
    HWND dlg = Create(IDD_MAIN);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(TextOf(dlg), String(IDS_APP_TITLE));
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
}

TEST_P(ResourceModule, MenusOfferTheirCommandsInOrder) {
    for (const rs::Owner& m : Ids().menus) {
        HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(m.id));
        ASSERT_NE(menu, nullptr) << m.name;
        HMENU sub = GetSubMenu(menu, 0);
        ASSERT_NE(sub, nullptr) << m.name;
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(m.members.size())) << m.name;
        for (size_t i = 0; i < m.members.size(); ++i) {
            const int item = static_cast<int>(i);
            EXPECT_EQ(GetMenuItemID(sub, item), static_cast<UINT>(m.members[i])) << m.name;
            char text[128] = {};
            EXPECT_GT(GetMenuStringA(sub, item, text, sizeof text, MF_BYPOSITION), 0) << item;
        }
        DestroyMenu(menu);
    }
}

TEST_P(ResourceModule, IconLoadsInBothSizes) {
    for (int id : Ids().icons) {
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
            EXPECT_NE(icon, nullptr) << id << " " << size;
            if (icon) DestroyIcon(static_cast<HICON>(icon));
        }
    }
}

// Each picture is 24-bit and fits its placeholder (within a few pixels of font
// rounding), since the number texts are placed around the placeholders.
TEST_P(ResourceModule, PicturesLoadAndFitTheirPlaceholders) {
    for (int id : Ids().bitmaps) {
        EXPECT_TRUE(std::any_of(std::begin(kPictures), std::end(kPictures),
                                [id](const Picture& p) { return p.bitmap == id; }))
            << "bitmap " << id << " has no placeholder here";
    }
    for (const Picture& p : kPictures) {
        HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(module_, MAKEINTRESOURCEA(p.bitmap),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bmp, nullptr) << "bitmap " << p.bitmap;
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(bmp, sizeof dib, &dib), static_cast<int>(sizeof dib)) << p.bitmap;
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << p.bitmap;

        HWND dlg = Create(p.dialog);
        ASSERT_NE(dlg, nullptr);
        RECT r{};
        GetWindowRect(GetDlgItem(dlg, p.placeholder), &r);
        EXPECT_NEAR(r.right - r.left, dib.dsBm.bmWidth, 4) << "bitmap " << p.bitmap;
        EXPECT_NEAR(r.bottom - r.top, dib.dsBm.bmHeight, 4) << "bitmap " << p.bitmap;

        // The top-left pixel gives the transparent colour: magenta, which the
        // drawings never use.
        const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
        const unsigned char* topLeft =
            bits + (dib.dsBm.bmHeight - 1) * dib.dsBm.bmWidthBytes;  // rows bottom-up
        EXPECT_EQ(topLeft[0], 0xFF) << p.bitmap;                     // blue
        EXPECT_EQ(topLeft[1], 0x00) << p.bitmap;                     // green
        EXPECT_EQ(topLeft[2], 0xFF) << p.bitmap;                     // red
        DeleteObject(bmp);
    }
}

TEST_P(ResourceModule, EveryStringTheProgramUsesIsThere) {
    for (int id : Ids().strings) EXPECT_FALSE(String(id).empty()) << "string " << id;
}

// Compared as UTF-16 against the source read as code page 1252: a resource compiler
// that took another code page shows here, whatever the system's ANSI code page.
TEST_P(ResourceModule, ModuleTextsEqualTheSourceTexts) {
    const auto strings = SourceStrings();
    ASSERT_FALSE(strings.empty());
    for (const rs::StringEntry& s : strings) {
        wchar_t wide[1024] = {};
        const int n = MultiByteToWideChar(1252, 0, s.text.data(), static_cast<int>(s.text.size()),
                                          wide, 1024);
        EXPECT_EQ(WideString(s.id), std::wstring(wide, n)) << s.id;
    }
}

TEST_P(ResourceModule, MnemonicsAreUniquePerDialogAndMenuLevel) {
    auto check = [](const std::string& where, const std::vector<std::string>& texts) {
        std::map<unsigned char, std::string> owners;
        for (const std::string& text : texts) {
            EXPECT_LE(rs::MnemonicMarks(text), 1) << where << ": " << text;
            const auto mnemonic = rs::Mnemonic(text);
            if (!mnemonic) continue;
            auto [at, fresh] = owners.emplace(*mnemonic, text);
            EXPECT_TRUE(fresh) << where << ": \"" << text << "\" and \"" << at->second
                               << "\" share a mnemonic";
        }
    };
    for (const rs::Owner& t : Ids().templates) {
        HWND dlg = Create(t.id);
        ASSERT_NE(dlg, nullptr) << t.name;
        std::vector<std::string> texts;
        for (HWND c : Children(dlg)) {
            if ((GetWindowLongA(c, GWL_STYLE) & SS_NOPREFIX) && ClassOf(c) == "Static") continue;
            texts.push_back(ShownText(t.id, c).first);
        }
        check(t.name, texts);
    }
    for (const rs::Owner& m : Ids().menus) {
        for (const auto& level : MenuTexts(m.id)) check(m.name, level);
    }
}

// How a text is laid out in its control, and the room it has there.
struct Room {
    UINT format = 0;  // DrawText format; 0: the control shows no text of its own
    int reserve = 0;  // pixels of the client width the text cannot use
};

Room RoomFor(HWND control) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const std::string cls = ClassOf(control);
    if (cls == "Static") {
        const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
                return {DT_WORDBREAK | prefix, 0};
            case SS_LEFTNOWORDWRAP:
            case SS_SIMPLE:
                return {DT_SINGLELINE | prefix, 0};
            default:
                return {};
        }
    }
    if (cls != "Button") return {};
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    // The box of a check box or radio button and the gap after it.
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_OWNERDRAW:
            return {lines, 2 * (GetSystemMetrics(SM_CXEDGE) + 1)};  // frame and focus
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return {lines, box};
        case BS_GROUPBOX:
            return {DT_SINGLELINE, 16};  // the frame's corner on both sides
        default:
            return {};
    }
}

// The size `text` takes in `control`'s font when laid out `width` pixels wide.
SIZE Extent(HWND control, const std::string& text, UINT format, int width) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, format | DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

TEST_P(ResourceModule, EveryTextFitsItsControl) {
    int measured = 0;
    for (const rs::Owner& t : Ids().templates) {
        HWND dlg = Create(t.id);
        ASSERT_NE(dlg, nullptr) << t.name;
        for (HWND c : Children(dlg)) {
            Room room = RoomFor(c);
            auto [text, reserve] = ShownText(t.id, c);
            if (!room.format || text.empty()) continue;
            room.reserve += reserve;
            RECT client{};
            GetClientRect(c, &client);
            const int width = client.right - room.reserve;
            const SIZE need = Extent(c, text, room.format, width);
            ++measured;
            EXPECT_TRUE(need.cx <= width && need.cy <= client.bottom)
                << t.name << " (" << t.id << ") control " << GetDlgCtrlID(c) << " \"" << text
                << "\" needs " << need.cx << " x " << need.cy << " px, has " << width << " x "
                << client.bottom;
        }
    }
    EXPECT_GT(measured, 40);
}

// The entries the program puts into lists fit the list's selection field.
TEST_P(ResourceModule, ListEntriesFitTheirLists) {
    for (const ListEntries& l : ListedStrings()) {
        HWND dlg = Create(l.dialog);
        ASSERT_NE(dlg, nullptr) << l.dialog;
        for (int list : l.lists) {
            HWND c = GetDlgItem(dlg, list);
            ASSERT_NE(c, nullptr) << list;
            RECT client{};
            GetClientRect(c, &client);
            const int width = client.right - GetSystemMetrics(SM_CXVSCROLL) - 4;
            for (int id : l.strings) {
                const std::string text = String(id);
                const SIZE need = Extent(c, text, DT_SINGLELINE | DT_NOPREFIX, width);
                EXPECT_LE(need.cx, width) << "dialog " << l.dialog << " list " << list << " \""
                                          << text << "\" needs " << need.cx << " px";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Every, ResourceModule, ::testing::ValuesIn(rs::Languages(kSource)),
                         [](const auto& info) { return info.param; });

}  // namespace
