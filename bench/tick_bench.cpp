// Punctuality of the window timers: how late each tick fires against its ideal grid, also while a popup menu's
// modal loop runs. Prints one line of numbers for bench/run.sh.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "ui/forms/controls.h"
#include "ui/forms/win32/timer_scheduler.h"
#include "ui/forms/win32/win32.h"

namespace {

using zantiro::forms::win32::TimerScheduler;

TimerScheduler* gScheduler = nullptr;

LRESULT CALLBACK benchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && gScheduler != nullptr && gScheduler->onTimerMessage(wParam)) {
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int ticks = argc > 1 ? _wtoi(argv[1]) : 30;
    const int interval = argc > 2 ? _wtoi(argv[2]) : 1000;
    const bool withMenu = argc > 3 && std::wcscmp(argv[3], L"menu") == 0;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = benchProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZantiroTickBench";
    RegisterClassW(&windowClass);
    HWND hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"tick bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);

    TimerScheduler scheduler(hwnd, TimerScheduler::steadyMilliseconds);
    gScheduler = &scheduler;
    zantiro::forms::Timer timer("bench", interval, false);
    scheduler.add(timer);

    std::vector<long long> late;
    long long t0 = 0;
    timer.onTick = [&] {
        const long long now = TimerScheduler::steadyMilliseconds();
        late.push_back(now - (t0 + static_cast<long long>(late.size() + 1) * interval));
        if (static_cast<int>(late.size()) == ticks) {
            timer.setEnabled(false);
            scheduler.timerChanged(timer);
            EndMenu();
            PostQuitMessage(0);
        }
    };
    t0 = TimerScheduler::steadyMilliseconds();
    timer.setEnabled(true);
    scheduler.timerChanged(timer);

    if (withMenu) {
        // The ticks have to come through the menu's own modal loop, as they do while the function menu is open.
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"item");
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        TrackPopupMenu(menu, TPM_LEFTALIGN, 0, 0, 0, hwnd, nullptr);
        DestroyMenu(menu);
    }
    MSG msg;
    while (static_cast<int>(late.size()) < ticks && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    long long worst = 0;
    long long sum = 0;
    for (const long long each : late) {
        worst = std::max(worst, each);
        sum += each;
    }
    std::printf("ticks=%zu interval_ms=%d last_late_ms=%lld max_late_ms=%lld mean_late_ms=%.1f%s\n", late.size(),
                interval, late.empty() ? 0 : late.back(), worst, late.empty() ? 0.0 : double(sum) / late.size(),
                withMenu ? " (menu open)" : "");
    return late.size() == static_cast<std::size_t>(ticks) ? 0 : 1;
}
