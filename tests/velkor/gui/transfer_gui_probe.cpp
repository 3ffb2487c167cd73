// What the printer-data GUI test reads from Windows, printed as UTF-8:
//
//   transfer_gui_probe port <printer>                 the queue's port (GetPrinterA level 2)
//   transfer_gui_probe rect <title> <kind> <control>  "left top right bottom" on the screen
//                                                     of that control of the window
//                                                     (0: the window itself)
//   transfer_gui_probe texts <title> <kind> [control] "id=text" for each child with text
//   transfer_gui_probe menu                           succeeds while a pop-up menu is open
//
// The window is a visible top-level window of that title; kind "main" is the one
// holding paper list 1000, kind "other" one without it (a message box has the main
// window's caption), and it must hold the control when one is given (a save dialog
// and its overwrite prompt share their caption). Texts are read with the wide messages.
// Exit code 0 on success, 1 when the printer or window is not there, 2 on bad usage.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kPaperList = 1000;
constexpr UINT kTimeoutMs = 5000;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    out.resize(out.size() - 1);  // the terminating zero
    return out;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
        return {};
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
    return text.data();
}

struct Search {
    std::wstring title;
    bool wantMain;
    int control;  // 0: any
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window) || TextOf(window) != search.title) return TRUE;
    if ((GetDlgItem(window, kPaperList) != nullptr) != search.wantMain) return TRUE;
    if (search.control != 0 && GetDlgItem(window, search.control) == nullptr) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindTopLevel(const std::wstring& title, bool main, int control) {
    Search search{title, main, control};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
    const std::wstring text = TextOf(child);
    if (!text.empty()) std::printf("%d=%s\n", GetDlgCtrlID(child), Utf8(text).c_str());
    return TRUE;
}

BOOL CALLBACK MatchMenu(HWND window, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    // The system's pop-up menu window class.
    if (IsWindowVisible(window) && std::wstring(name) == L"#32768") {
        *reinterpret_cast<bool*>(data) = true;
        return FALSE;
    }
    return TRUE;
}

int PrintPort(const char* printerName) {
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printerName), &printer, nullptr)) return 1;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    const bool ok = needed != 0 && GetPrinterA(printer, 2, info.data(), needed, &needed);
    ClosePrinter(printer);
    if (!ok) return 1;
    const char* port = reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pPortName;
    std::printf("%s\n", port ? port : "");
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: transfer_gui_probe port <printer> | rect <title> main|other <control> | "
                 "texts <title> main|other [control] | menu\n");
    return 2;
}

int Run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "port" && argc == 3) return PrintPort(argv[2]);
    if (command == "menu" && argc == 2) {
        bool open = false;
        EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&open));
        return open ? 0 : 1;
    }
    if ((command != "rect" && command != "texts") || argc < 4) return Usage();
    const std::string kind = argv[3];
    if (kind != "main" && kind != "other") return Usage();
    const int control = argc > 4 ? std::atoi(argv[4]) : 0;
    HWND window = FindTopLevel(Wide(argv[2]), kind == "main", control);
    if (!window) return 1;

    if (command == "texts" && argc <= 5) {
        EnumChildWindows(window, PrintText, 0);
        return 0;
    }
    if (command == "rect" && argc == 5) {
        RECT rc{};
        GetWindowRect(control != 0 ? GetDlgItem(window, control) : window, &rc);
        std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
        return 0;
    }
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    const int result = Run(argc, argv);
    std::fflush(stdout);
    return result;
}
