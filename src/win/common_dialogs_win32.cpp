#include "win/file_dialog_text.h"
#include "win/win32_ui.h"

namespace win {
namespace {

HWND OwnerHandle(DialogWindow& owner) {
    return static_cast<HWND>(owner.NativeHandle());
}

// Selects the folder named by lpData once the dialog is up.
int CALLBACK SelectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM data) {
    const char* path = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && path != nullptr && path[0] != '\0') {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

std::optional<std::string> RunFileDialog(DialogWindow& owner, const FileDialogArgs& args,
                                         DWORD flags, bool save) {
    const std::string filter = FilterForFileDialog(args.filter);
    std::vector<char> path = InitialPathBuffer(args.suggestedName);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerHandle(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = args.title.empty() ? nullptr : args.title.c_str();
    dialog.lpstrDefExt = args.defaultExtension.empty() ? nullptr : args.defaultExtension.c_str();
    dialog.Flags = flags;
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) return std::nullopt;
    path.back() = '\0';
    return std::string(path.data());
}

}  // namespace

std::optional<std::string> Win32Ui::BrowseForFolder(DialogWindow& owner, std::string_view title) {
    const std::string caption(title.substr(0, title.find('\0')));
    char initial[kDialogPathBytes] = {};  // nothing preselected
    BROWSEINFOA browse{};
    browse.hwndOwner = OwnerHandle(owner);
    browse.pidlRoot = nullptr;  // the desktop
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = &SelectInitialFolder;
    browse.lParam = reinterpret_cast<LPARAM>(initial);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (chosen == nullptr) return std::nullopt;
    char path[MAX_PATH] = {};
    const BOOL named = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!named) return std::nullopt;  // a virtual folder with no path
    return std::string(path);
}

std::optional<std::string> Win32Ui::OpenFileName(DialogWindow& owner, const FileDialogArgs& args) {
    return RunFileDialog(owner, args, OFN_CREATEPROMPT | OFN_HIDEREADONLY, false);
}

std::optional<std::string> Win32Ui::SaveFileName(DialogWindow& owner, const FileDialogArgs& args) {
    return RunFileDialog(owner, args, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, true);
}

}  // namespace win
