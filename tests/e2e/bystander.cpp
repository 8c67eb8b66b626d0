// Another program beside the timer: a file held open without sharing, and a topmost window with an edit box that
// holds the foreground and the keyboard focus while the timer warns, flashes and sounds.
#include "tests/e2e/bystander.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/e2e/window_probe.h"

namespace zantiro::e2e {
namespace {

constexpr wchar_t kBystanderTitle[] = L"E2E bystander";

DWORD milliseconds(const std::wstring& text) {
    return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

bool report(bool passed, const std::string& line) {
    std::printf("%s%s\n", passed ? "ok: " : "FAIL: ", line.c_str());
    std::fflush(stdout);
    return passed;
}

void pumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

HWND bystanderOrFail() {
    const auto found = topLevelWindows(kBystanderTitle);
    if (found.empty()) {
        report(false, "a window titled \"E2E bystander\" exists");
        return nullptr;
    }
    return found.front();
}

// Position from the top of the z-order, counting visible top-level windows.
int zPosition(HWND wanted) {
    int position = 0;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == wanted) {
            return position;
        }
        position += IsWindowVisible(window) ? 1 : 0;
    }
    return -1;
}

}  // namespace

// The file exists (created empty when missing) and no one else may open it, for MS milliseconds.
bool holdFile(Args args) {
    if (args.size() < 2) {
        return false;
    }
    const HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!report(file != INVALID_HANDLE_VALUE, "holding " + utf8(args[0]) + " without sharing")) {
        return false;
    }
    Sleep(milliseconds(args[1]));
    CloseHandle(file);
    return true;
}

// A topmost window with an edit box takes the foreground and the focus, then only answers messages for MS ms.
bool runBystander(Args args) {
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, L"#32770", kBystanderTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                        450, 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 360,
                                      30, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    SetFocus(edit);
    pumpFor(300);
    if (!report(GetForegroundWindow() == window && GetFocus() == edit, "the bystander has the foreground and focus")) {
        return false;
    }
    pumpFor(milliseconds(args[0]));
    DestroyWindow(window);
    return true;
}

bool checkFocus(Args) {
    const HWND bystander = bystanderOrFail();
    if (bystander == nullptr) {
        return false;
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(bystander, nullptr), &thread);
    const HWND foreground = GetForegroundWindow();
    return report(foreground == bystander,
                  "the foreground window is the bystander (it is \"" + utf8(windowText(foreground)) + "\")") &&
           report(thread.hwndFocus != nullptr && GetParent(thread.hwndFocus) == bystander &&
                      className(thread.hwndFocus) == L"Edit",
                  "the bystander's edit box has the keyboard focus");
}

// The text typed so far into the bystander's edit box is exactly TEXT.
bool expectTyped(Args args) {
    const HWND bystander = bystanderOrFail();
    const HWND edit = bystander != nullptr ? FindWindowExW(bystander, nullptr, L"Edit", nullptr) : nullptr;
    const std::wstring typed = edit != nullptr ? windowText(edit) : L"";
    return report(edit != nullptr && typed == args[0],
                  "the bystander's edit box holds \"" + utf8(typed) + "\" (expected \"" + utf8(args[0]) + "\")");
}

// The timer window is the foreground window: a click on its face activated it.
bool checkTimerActive(Args) {
    const HWND foreground = GetForegroundWindow();
    return report(foreground != nullptr && foreground == findMainWindow(),
                  "the timer is the foreground window (it is \"" + utf8(windowText(foreground)) + "\")");
}

// Every timer window lies above (or below) the bystander in the z-order.
bool checkOrder(Args args) {
    const HWND bystander = bystanderOrFail();
    const auto timers = topLevelWindows(kMainCaption);
    if (bystander == nullptr || !report(!timers.empty(), "timer windows exist")) {
        return false;
    }
    const bool wantAbove = !args.empty() && args[0] == L"above";
    const int bystanderAt = zPosition(bystander);
    bool passed = true;
    for (HWND timer : timers) {
        const int at = zPosition(timer);
        passed &= report((at < bystanderAt) == wantAbove && (GetWindowLongPtrW(timer, GWL_EXSTYLE) & WS_EX_TOPMOST),
                         "topmost timer window at z-position " + std::to_string(at) + ", the bystander at " +
                             std::to_string(bystanderAt) + (wantAbove ? ": above" : ": below"));
    }
    return passed;
}

// To the top of the topmost band without activation: the foreground does not change.
bool raiseBystander(Args) {
    const HWND bystander = bystanderOrFail();
    return bystander != nullptr &&
           report(SetWindowPos(bystander, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0,
                  "raised the bystander");
}

// What the system sends every top-level window when the display configuration changes.
bool announceDisplayChange(Args) {
    const auto timers = topLevelWindows(kMainCaption);
    bool passed = report(!timers.empty(), "timer windows exist");
    HDC screen = GetDC(nullptr);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (HWND timer : timers) {
        DWORD_PTR result = 0;
        passed &= report(SendMessageTimeoutW(timer, WM_DISPLAYCHANGE, static_cast<WPARAM>(bitsPerPixel), size,
                                             SMTO_ABORTIFHUNG, 5000, &result) != 0,
                         "WM_DISPLAYCHANGE answered");
    }
    return passed;
}

bool moveMainWindow(Args args) {
    const HWND main = findMainWindow();
    return args.size() >= 2 && main != nullptr &&
           report(SetWindowPos(main, nullptr, _wtoi(args[0].c_str()), _wtoi(args[1].c_str()), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
                  "moved the timer window to " + utf8(args[0]) + "," + utf8(args[1]));
}

}  // namespace zantiro::e2e
