// Locale, clock, processes and the single-instance guard.
#include "win/dialog_window.h"
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
// queue when the tool has ended: more than a dialog's controls ever need.
constexpr int kPaintsPerTurn = 256;
constexpr int kMessagesDrained = 10000;

// Paint messages of `window` and its controls; handled as the dialog manager would.
void DispatchPaint(HWND window, MSG& message) {
    if (!IsDialogMessageA(window, &message)) DispatchMessageA(&message);
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

bool Win32Processes::RunAndWait(const std::string& commandLine, bool noWindow,
                                DialogWindow* window) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into it
    const DWORD flags = NORMAL_PRIORITY_CLASS | (noWindow ? CREATE_NO_WINDOW : 0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    HWND hwnd = window ? static_cast<HWND>(window->NativeHandle()) : nullptr;

    // Sleep until the tool ends or a repaint is due; the time-out only guards
    // against a paint request of another window that is not ours to take.
    for (;;) {
        // Without a window nothing takes paint messages off the queue, so a pending
        // repaint would wake the wait at once, over and over.
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, hwnd ? QS_PAINT : 0);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        // Bounded like the drain below, so that a window that never validates its
        // paint region cannot keep us from seeing the tool end.
        MSG message;
        for (int taken = 0; hwnd && taken < kPaintsPerTurn &&
                            PeekMessageA(&message, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE);
             ++taken) {
            DispatchPaint(hwnd, message);
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // Input that arrived during the run is dropped; only repaints go through. The
    // bound keeps a window that never validates its paint region from holding us.
    MSG message;
    for (int taken = 0;
         hwnd && taken < kMessagesDrained && PeekMessageA(&message, hwnd, 0, 0, PM_REMOVE);
         ++taken) {
        if (message.message == WM_PAINT) {
            DispatchPaint(hwnd, message);
        } else if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
    }
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
