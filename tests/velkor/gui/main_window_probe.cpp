// Looks into velkor's windows from another process for the GUI tests, and prints
// what it finds as UTF-8, one "key=value" a line.
//
//   main_window_probe <title> wait <seconds>   waits for the main window
//   main_window_probe <title> show             paper list, selected line, details
//   main_window_probe <title> select <line>    selects a line as the user would, then show
//   main_window_probe <title> rect <control>   screen rectangle of a main-window control
//                                              (0: the main window itself)
//   main_window_probe <title> box              texts of the message box of that caption
//   main_window_probe <title> menu             screen rectangle of the open pop-up menu
//   main_window_probe <title> close            presses the main window's Close button
//   main_window_probe <title> click <control>  presses a button of the main window
//   main_window_probe <title> focus <control>  moves the focus of the dialog of that title
//                                              holding the control (the editor, say) to it
//   main_window_probe <title> text <control>   text of a control of that dialog
//   main_window_probe - string <module> <id>   string <id> of a language module, so that a
//                                              script finds its windows in any language
//   main_window_probe <title> list <control>   lines and selection of list box <control>
//                                              of the window of that title holding it
//
// The main window is the visible top-level window of that title holding paper list
// 1000; a message box has the same caption but no list. List lines are read with
// the wide messages: across processes the ANSI ones give one character a line.
// Exit code 0 on success, 1 when the window is not there, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kPaperList = 1000;
constexpr int kWidth = 1007;
constexpr int kLength = 1008;
constexpr int kEnergy = 1090;
constexpr UINT kTimeoutMs = 10000;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

void Print(const char* key, const std::wstring& value) {
    std::printf("%s=%s\n", key, Utf8(value).c_str());
}

// A message that gives up when the other side hangs; 0 then.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &result))
        return 0;
    return static_cast<LRESULT>(result);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};  // longer class names are cut; only short ones are compared
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

struct Search {
    std::wstring title;
    int control = 0;
    bool holdsControl = true;  // the window holds `control`, else it does not
    HWND found = nullptr;
};

BOOL CALLBACK MatchVisible(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    // The caption as the system keeps it: no message to a window that may be busy.
    wchar_t caption[256] = {};  // longer captions are cut and then do not match
    GetWindowTextW(window, caption, 256);
    if (!IsWindowVisible(window) || search.title != caption) return TRUE;
    if ((GetDlgItem(window, search.control) != nullptr) != search.holdsControl) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindVisible(const std::wstring& title, int control, bool holdsControl) {
    Search search{title, control, holdsControl, nullptr};
    EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The visible main window of that title (`main`), else a message box of that title.
HWND FindTopLevel(const std::wstring& title, bool main) {
    return FindVisible(title, kPaperList, main);
}

// The visible top-level window of that title that holds `control`.
HWND FindDialog(const std::wstring& title, int control) {
    return FindVisible(title, control, true);
}

int PrintModuleString(const std::wstring& module, int id) {
    HMODULE library = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library == nullptr) return 1;
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(library, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    const std::wstring value = length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"";
    std::printf("%s\n", Utf8(value).c_str());
    FreeLibrary(library);
    return length > 0 ? 0 : 1;
}

void ShowLines(HWND list) {
    const auto count = Send(list, LB_GETCOUNT, 0, 0);
    std::printf("count=%d\n", static_cast<int>(count));
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == LB_ERR) {
            std::printf("line=<error>\n");
            continue;
        }
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        Print("line", text.data());
    }
    std::printf("selected=%d\n", static_cast<int>(Send(list, LB_GETCURSEL, 0, 0)));
}

void ShowList(HWND main) {
    ShowLines(GetDlgItem(main, kPaperList));
    Print("width", TextOf(GetDlgItem(main, kWidth)));
    Print("length", TextOf(GetDlgItem(main, kLength)));
    Print("energy", TextOf(GetDlgItem(main, kEnergy)));
}

// The selection change the list itself would report to its parent.
void Select(HWND main, int line) {
    HWND list = GetDlgItem(main, kPaperList);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    Send(main, WM_COMMAND, MAKEWPARAM(kPaperList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void PrintRect(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    std::printf("left=%ld\ntop=%ld\nright=%ld\nbottom=%ld\n", rc.left, rc.top, rc.right, rc.bottom);
}

BOOL CALLBACK PrintStatic(HWND child, LPARAM) {
    if (ClassOf(child) == L"Static") {
        const std::wstring text = TextOf(child);
        if (!text.empty()) Print("text", text);
    }
    return TRUE;
}

BOOL CALLBACK MatchMenu(HWND window, LPARAM data) {
    // The system's pop-up menu window class.
    if (IsWindowVisible(window) && ClassOf(window) == L"#32768") {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: main_window_probe <title> wait <s>|show|select <line>|rect <id>|box|"
                 "menu|close|click <id>|focus <id>|text <id>|list <id>\n"
                 "       main_window_probe - string <module> <id>\n");
    return 2;
}

int Missing(const char* what) {
    std::fprintf(stderr, "main_window_probe: no %s\n", what);
    return 1;
}

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 3) return Usage();
    const std::wstring& title = args[1];
    const std::wstring& command = args[2];
    const int number = args.size() > 3 ? _wtoi(args[3].c_str()) : 0;

    if (command == L"wait") {
        for (int i = 0;; ++i) {
            // Up, and done with its start: it answers messages.
            HWND main = FindTopLevel(title, true);
            DWORD_PTR ignored = 0;
            if (main && SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &ignored))
                return 0;
            if (i >= number * 5) break;
            Sleep(200);
        }
        return Missing("main window");
    }
    if (command == L"box") {
        HWND box = FindTopLevel(title, false);
        if (!box) return Missing("message box");
        EnumChildWindows(box, PrintStatic, 0);
        return 0;
    }
    if (command == L"string" && args.size() > 4)
        return PrintModuleString(args[3], _wtoi(args[4].c_str()));
    if ((command == L"focus" || command == L"text") && args.size() > 3) {
        HWND dialog = FindDialog(title, number);
        if (!dialog) return Missing("dialog with that control");
        HWND control = GetDlgItem(dialog, number);
        if (command == L"text") {
            Print("text", TextOf(control));
            return 0;
        }
        // Through the dialog manager, as a Tab to it would: an edit's text is selected.
        Send(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        return 0;
    }
    if (command == L"menu") {
        HWND menu = nullptr;
        EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&menu));
        if (!menu) return Missing("open menu");
        PrintRect(menu);
        std::printf("item_height=%d\n", GetSystemMetrics(SM_CYMENUSIZE));
        return 0;
    }

    if (command == L"list" && args.size() > 3) {
        HWND window = FindDialog(title, number);
        if (!window) return Missing("window with that list");
        ShowLines(GetDlgItem(window, number));
        return 0;
    }
    HWND main = FindTopLevel(title, true);
    if (command == L"rect" && args.size() > 3 && number != 0 &&
        (!main || !GetDlgItem(main, number))) {
        // A control of another window of that title (the history dialog, say).
        HWND other = FindDialog(title, number);
        if (!other) return Missing("such control");
        PrintRect(GetDlgItem(other, number));
        return 0;
    }
    if (!main) return Missing("main window");
    if (command == L"show") {
        ShowList(main);
    } else if (command == L"select" && args.size() > 3) {
        Select(main, number);
        ShowList(main);
    } else if (command == L"rect" && args.size() > 3) {
        HWND control = number == 0 ? main : GetDlgItem(main, number);
        if (!control) return Missing("such control");
        PrintRect(control);
    } else if (command == L"close") {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, IDOK)));
    } else if (command == L"click" && args.size() > 3) {
        // Posted: the command may open a modal dialog, which must not hold the probe.
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(number, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, number)));
    } else {
        return Usage();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::wstring> args;
    for (int i = 0; i < argc; ++i) {
        const int size = MultiByteToWideChar(CP_ACP, 0, argv[i], -1, nullptr, 0);
        std::wstring arg(static_cast<size_t>(size > 0 ? size : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, argv[i], -1, arg.data(), size);
        arg.resize(arg.size() - 1);  // the terminating zero
        args.push_back(arg);
    }
    const int result = Run(args);
    std::fflush(stdout);
    return result;
}
