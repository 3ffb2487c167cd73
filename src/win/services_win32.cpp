// Locale, clock, processes and the single-instance guard.
#include <vector>

#include "win/win32_services.h"

namespace win {
namespace {

std::optional<std::string> LocaleValue(LCTYPE item) {
    char value[16] = {};  // both items are a few characters at most
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, value, sizeof value);
    if (length <= 0) return std::nullopt;
    return std::string(value);
}

SYSTEMTIME ToSystemTime(const LocalTime& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDay = static_cast<WORD>(time.day);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    return system;
}

// The text a date or time formatter of the platform gives for `time`, asked for its
// length first; empty when it fails.
template <class Formatter>
std::string Formatted(const LocalTime& time, Formatter format) {
    const SYSTEMTIME system = ToSystemTime(time);
    const int needed = format(&system, nullptr, 0);
    if (needed <= 0) return {};
    std::string text(static_cast<size_t>(needed), '\0');
    const int written = format(&system, text.data(), needed);
    if (written <= 0) return {};
    text.resize(static_cast<size_t>(written - 1));  // without the terminator
    return text;
}

// Paint messages taken after each wake-up of the wait, and messages taken off the
// queue when the tool has ended: more than a thread's dialogs ever need.
constexpr int kPaintsPerTurn = 256;
constexpr int kMessagesDropped = 10000;

// Repaints the calling thread's windows that wait for it, whichever dialog they
// belong to.
void PaintThreadWindows() {
    MSG message;
    for (int taken = 0;
         taken < kPaintsPerTurn && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++taken) {
        DispatchMessageA(&message);
    }
}

// Drops what reached the thread's windows while a tool ran (clicks, keys, commands),
// so that nothing the user did meanwhile acts once the tool has ended; repaints are
// made, a quit request and messages to the thread itself stay queued.
void DropWindowMessages() {
    std::vector<MSG> threadMessages;
    MSG message;
    for (int taken = 0;
         taken < kMessagesDropped && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++taken) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (message.message == WM_PAINT)
            DispatchMessageA(&message);
        else if (message.hwnd == nullptr)
            threadMessages.push_back(message);
    }
    for (const MSG& kept : threadMessages)
        PostThreadMessageA(GetCurrentThreadId(), kept.message, kept.wParam, kept.lParam);
}

}  // namespace

std::optional<std::string> Win32Locale::MeasurementSystem() {
    return LocaleValue(LOCALE_IMEASURE);
}

std::string Win32Locale::DecimalSeparator() {
    auto separator = LocaleValue(LOCALE_SDECIMAL);
    return separator && !separator->empty() ? *separator : ".";
}

std::string Win32Locale::FormatDate(const LocalTime& time) {
    return Formatted(time, [](const SYSTEMTIME* system, char* text, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, system, nullptr, text, size);
    });
}

std::string Win32Locale::FormatTime(const LocalTime& time) {
    return Formatted(time, [](const SYSTEMTIME* system, char* text, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, system, nullptr, text, size);
    });
}

LocalTime Win32Clock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool Win32Processes::RunAndWait(const std::string& commandLine, bool noWindow) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into it
    const DWORD flags = NORMAL_PRIORITY_CLASS | (noWindow ? CREATE_NO_WINDOW : 0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    // Sleep until the tool ends or one of the thread's windows needs painting. A
    // thread without windows (velkorctl) is never woken by a paint. The time-out
    // only guards against a window that never validates its paint region.
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_PAINT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        PaintThreadWindows();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DropWindowMessages();
    return true;
}

bool Win32Instance::CreateOwnedMutexExisted(const std::string& name) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex_ == nullptr) mutex_ = mutex;  // kept, never released, until the process ends
    return existed;
}

void Win32Instance::ActivateWindow(const std::string& title) {
    if (HWND window = FindWindowA(nullptr, title.c_str())) SetForegroundWindow(window);
}

}  // namespace win
