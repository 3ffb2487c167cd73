#include "win/win32_strings.h"

namespace win {

std::string LoadModuleString(HINSTANCE module, int id) {
    // With a zero buffer size the call hands out the resource's own text, so
    // strings of any length come back whole.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

bool ModuleHasString(HINSTANCE module, int id) {
    const wchar_t* text = nullptr;
    return LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0) > 0;
}

}  // namespace win
