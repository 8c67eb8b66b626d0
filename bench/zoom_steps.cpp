// Times steps of the window's scale in the running timer: Ctrl + wheel notches sent as the system sends them, each
// timed until the window and its buttons have painted. Up through every step to 400 %, down to 100 %, again.
//   zantiro_zoom_steps.exe STEPS
// Prints a line per step ("step N WIDTHxHEIGHT MS") and a summary line ("steps=N median_ms=.. max_ms=..").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kStepsUp = 6;  // 100 to 400 %

bool pendingPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE) != FALSE) {
        return true;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetUpdateRect(child, nullptr, FALSE) != FALSE) {
            return true;
        }
    }
    return false;
}

// Nothing left to paint, and the paint that took the last of it has returned: a message sent after it waits.
void waitPainted(HWND window) {
    while (pendingPaint(window)) {
        Sleep(0);
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

double milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int steps = argc > 1 ? _wtoi(argv[1]) : 100;
    const HWND window = FindWindowW(L"ZantiroWindow", nullptr);
    if (window == nullptr || steps <= 0) {
        std::fputs("zoom_steps: no timer window, or no steps asked\n", stderr);
        return 1;
    }
    std::vector<double> times;
    for (int step = 0; step < steps; ++step) {
        const bool up = step % (2 * kStepsUp) < kStepsUp;
        RECT rect{};
        GetWindowRect(window, &rect);
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        LARGE_INTEGER begin{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&begin);
        SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, up ? WHEEL_DELTA : -WHEEL_DELTA), at);
        waitPainted(window);
        QueryPerformanceCounter(&end);
        GetWindowRect(window, &rect);
        times.push_back(milliseconds(end.QuadPart - begin.QuadPart));
        std::printf("step %d %ldx%ld %.2f\n", step + 1, rect.right - rect.left, rect.bottom - rect.top, times.back());
        Sleep(20);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("steps=%d median_ms=%.1f max_ms=%.1f\n", steps, sorted[sorted.size() / 2], sorted.back());
    return 0;
}
