// Checks the built language module against what the program looks up in it: every
// dialog with every control it addresses, the pop-up menu, the icon, the pictures
// and every string.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct Template {
    int id;
    const char* name;
    std::vector<int> controls;
};

// Every control the program addresses, by template.
const std::vector<Template> kTemplates = {
    {IDD_ABOUT, "about", {IDC_ABOUT_VERSION, IDC_ABOUT_YEAR, IDOK}},
    {IDD_MAIN,
     "main window",
     {IDC_MAIN_LIST, IDC_MAIN_ADD, IDC_MAIN_EDIT, IDC_MAIN_DELETE, IDC_MAIN_EXPORT, IDC_MAIN_IMPORT,
      IDC_MAIN_OPTIONS, IDC_MAIN_SEND, IDC_MAIN_POPUP, IDC_MAIN_WIDTH, IDC_MAIN_LENGTH,
      IDC_MAIN_ENERGY, IDC_MAIN_HISTORY, IDOK}},
    {IDD_EDITOR,
     "paper editor",
     {IDC_ED_NAME,
      IDC_ED_KIND,
      IDC_ED_WIDTH,
      IDC_ED_LENGTH,
      IDC_ED_GAP,
      IDC_ED_RIGHT,
      IDC_ED_TOP,
      IDC_ED_LEFT,
      IDC_ED_BOTTOM,
      IDC_ED_MARK_LENGTH,
      IDC_ED_MARK_OFFSET,
      IDC_ED_SPIN_WIDTH,
      IDC_ED_SPIN_LENGTH,
      IDC_ED_SPIN_GAP,
      IDC_ED_SPIN_RIGHT,
      IDC_ED_SPIN_TOP,
      IDC_ED_SPIN_LEFT,
      IDC_ED_SPIN_BOTTOM,
      IDC_ED_SPIN_MARK_LENGTH,
      IDC_ED_SPIN_MARK_OFFSET,
      IDC_ED_DIM_WIDTH,
      IDC_ED_DIM_LENGTH,
      IDC_ED_DIM_GAP,
      IDC_ED_DIM_RIGHT,
      IDC_ED_DIM_TOP,
      IDC_ED_DIM_LEFT,
      IDC_ED_DIM_BOTTOM,
      IDC_ED_DIM_MARK_LENGTH,
      IDC_ED_DIM_MARK_OFFSET,
      IDC_ED_UNIT_WIDTH,
      IDC_ED_UNIT_LENGTH,
      IDC_ED_UNIT_GAP,
      IDC_ED_UNIT_RIGHT,
      IDC_ED_UNIT_TOP,
      IDC_ED_UNIT_LEFT,
      IDC_ED_UNIT_BOTTOM,
      IDC_ED_UNIT_MARK_LENGTH,
      IDC_ED_UNIT_MARK_OFFSET,
      IDC_ED_RANGE_WIDTH,
      IDC_ED_RANGE_LENGTH,
      IDC_ED_PIC_KIND,
      IDC_ED_PIC_MARK,
      IDC_ED_PIC_RULER,
      IDC_ED_ADVANCED,
      IDC_ED_OVERWRITE,
      IDOK,
      IDCANCEL}},
    {IDD_OPTION, "option", {IDC_OPT_MM, IDC_OPT_INCH, IDOK, IDCANCEL}},
    {IDD_ADVANCED,
     "advanced",
     {IDC_ADV_X, IDC_ADV_SPIN_X, IDC_ADV_Y, IDC_ADV_SPIN_Y, IDC_ADV_DIM_X, IDC_ADV_DIM_Y,
      IDC_ADV_UNIT_X, IDC_ADV_UNIT_Y, IDC_ADV_RANGE_X, IDC_ADV_RANGE_Y, IDC_ADV_ENERGY,
      IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2, IDC_ADV_ADJUST_B1, IDC_ADV_ADJUST_B2, IDC_ADV_PICTURE,
      IDOK, IDCANCEL}},
    {IDD_TRANSFER, "transfer", {IDC_TR_PRINTER, IDC_TR_PAPER, IDC_TR_BUTTON, IDOK, IDCANCEL}},
    {IDD_HISTORY, "history", {IDC_HISTORY_LIST, IDC_HISTORY_RESTORE, IDCANCEL}},
};

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

// Every string number the program loads.
const int kProgramStrings[] = {
    IDS_APP_TITLE,        IDS_ABOUT_ITEM,          IDS_ABOUT_VERSION,     IDS_ABOUT_YEAR,
    IDS_EDITOR_NEW,       IDS_EDITOR_EDIT,         IDS_EXPORT_TITLE,      IDS_IMPORT_TITLE,
    IDS_IMPORT_FILTER,    IDS_NEW_PAPER_NAME,      IDS_ASK_DELETE,        IDS_ASK_EXPORT_OVERWRITE,
    IDS_EXPORT_DONE,      IDS_IMPORT_DONE,         IDS_CHANGED_NOTICE,    IDS_ASK_IMPORT,
    IDS_FILES_MISSING,    IDS_INSTALL_FAILED,      IDS_EXPORT_FAILED,     IDS_IMPORT_FAILED,
    IDS_NOT_THIS_MODEL,   IDS_NAME_IN_USE,         IDS_RANGE_ERROR,       IDS_TOO_MANY_PAPERS,
    IDS_ITEM_WIDTH,       IDS_ITEM_LENGTH,         IDS_ITEM_GAP,          IDS_ITEM_OFFSET_X,
    IDS_ITEM_OFFSET_Y,    IDS_ITEM_NAME,           IDS_ITEM_MARK_LENGTH,  IDS_ITEM_MARK_OFFSET,
    IDS_ITEM_RIGHT,       IDS_ITEM_LEFT,           IDS_ITEM_TOP,          IDS_ITEM_BOTTOM,
    IDS_ADJUST_FIRST,     IDS_ADJUST_FIRST + 1,    IDS_ADJUST_FIRST + 2,  IDS_ADJUST_FIRST + 3,
    IDS_ADJUST_FIRST + 4, IDS_KIND_ROLL,           IDS_KIND_LABEL,        IDS_KIND_MARK,
    IDS_SAVE_DATA_TITLE,  IDS_SAVE_DATA_FILTER,    IDS_DATA_SAVED,        IDS_DATA_SAVE_FAILED,
    IDS_TRANSFER_DONE,    IDS_DATA_UNREADABLE,     IDS_SEND_FAILED,       IDS_NO_PORT,
    IDS_HISTORY_ADDED,    IDS_HISTORY_OVERWRITTEN, IDS_HISTORY_DELETED,   IDS_HISTORY_IMPORTED,
    IDS_HISTORY_RESTORED, IDS_HISTORY_PAPERS,      IDS_HISTORY_ONE_PAPER, IDS_HISTORY_DAMAGED,
    IDS_ASK_RESTORE,
};

// The strings the program fills with one text.
const std::set<int> kFormatStrings = {
    IDS_ABOUT_VERSION,    IDS_ABOUT_YEAR,          IDS_ASK_DELETE,      IDS_RANGE_ERROR,
    IDS_HISTORY_ADDED,    IDS_HISTORY_OVERWRITTEN, IDS_HISTORY_DELETED, IDS_HISTORY_IMPORTED,
    IDS_HISTORY_RESTORED, IDS_HISTORY_PAPERS,      IDS_ASK_RESTORE};

struct SourceString {
    int id;
    const char* text;
};

const SourceString kSourceStrings[] = {
#define STRING(id, text) {id, text},
#include "resources/strings.def"
#undef STRING
};

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

std::string ModuleBesideTest() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1) + "kvx500ct.dll";
}

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

class ResourceModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        module_ = LoadLibraryA(ModuleBesideTest().c_str());
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load " << ModuleBesideTest(); }

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

    static HMODULE module_;
    std::vector<HWND> windows_;
};
HMODULE ResourceModule::module_ = nullptr;

TEST_F(ResourceModule, EveryTemplateHoldsItsControlsAndStartsHidden) {
    for (const Template& t : kTemplates) {
        HWND dlg = Create(t.id);
        ASSERT_NE(dlg, nullptr) << t.name << " template " << t.id;
        EXPECT_FALSE(IsWindowVisible(dlg)) << t.name;
        for (int control : t.controls)
            EXPECT_NE(GetDlgItem(dlg, control), nullptr) << t.name << " control " << control;
    }
}

TEST_F(ResourceModule, ControlsHaveTheClassAndStylesTheProgramRelies) {
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

TEST_F(ResourceModule, MainWindowIsTitledAndCanBeMinimised) {
    HWND dlg = Create(IDD_MAIN);
    ASSERT_NE(dlg, nullptr);
    char title[256] = {};
    GetWindowTextA(dlg, title, sizeof title);
    EXPECT_EQ(std::string(title), String(IDS_APP_TITLE));
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
}

TEST_F(ResourceModule, PopupMenuOffersSendThenSave) {
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(IDM_POPUP));
    ASSERT_NE(menu, nullptr);
    HMENU sub = GetSubMenu(menu, 0);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(GetMenuItemID(sub, 0), static_cast<UINT>(IDM_POPUP_SEND));
    EXPECT_EQ(GetMenuItemID(sub, 1), static_cast<UINT>(IDM_POPUP_SAVE));
    for (int i = 0; i < 2; ++i) {
        char text[128] = {};
        EXPECT_GT(GetMenuStringA(sub, i, text, sizeof text, MF_BYPOSITION), 0) << i;
    }
    DestroyMenu(menu);
}

TEST_F(ResourceModule, IconLoadsInBothSizes) {
    for (int size : {16, 32}) {
        HANDLE icon = LoadImageA(module_, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
}

// Each picture is 24-bit and fits its placeholder (within a few pixels of font
// rounding), since the number texts are placed around the placeholders.
TEST_F(ResourceModule, PicturesLoadAndFitTheirPlaceholders) {
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

TEST_F(ResourceModule, EveryStringTheProgramUsesIsThere) {
    for (int id : kProgramStrings) EXPECT_FALSE(String(id).empty()) << "string " << id;
}

TEST_F(ResourceModule, ModuleTextsEqualTheSourceTexts) {
    for (const SourceString& s : kSourceStrings) EXPECT_EQ(String(s.id), s.text) << s.id;
}

// A format string holds exactly one %s and no other conversion; every other text
// holds no % at all, so that passing it through a formatter cannot go wrong.
TEST_F(ResourceModule, FormatStringsHoldExactlyOnePercentS) {
    for (const SourceString& s : kSourceStrings) {
        const std::string text = s.text;
        size_t percents = 0, ones = 0;
        for (size_t i = text.find('%'); i != std::string::npos; i = text.find('%', i + 1)) {
            ++percents;
            if (i + 1 < text.size() && text[i + 1] == 's') ++ones;
        }
        if (kFormatStrings.count(s.id)) {
            EXPECT_EQ(percents, 1u) << s.id << ": " << text;
            EXPECT_EQ(ones, 1u) << s.id << ": " << text;
        } else {
            EXPECT_EQ(percents, 0u) << s.id << ": " << text;
        }
    }
}

}  // namespace
