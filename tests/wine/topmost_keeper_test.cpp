// TopmostKeeper on real windows: back above another topmost window, never activated.
#include "forms/win32/topmost_keeper.h"

#include <gtest/gtest.h>

#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

bool above(HWND upper, HWND lower) {
    for (HWND window = GetWindow(lower, GW_HWNDPREV); window != nullptr; window = GetWindow(window, GW_HWNDPREV)) {
        if (window == upper) {
            return true;
        }
    }
    return false;
}

// Wine sends no EVENT_SYSTEM_FOREGROUND, so the hook's answer is called here directly.
TEST(TopmostKeeper, RaiseGoesBackAboveAnotherTopmostWindowWithoutActivating) {
    TestWindow timer(WS_POPUP, L"Zantiro test", WS_EX_TOPMOST);
    ShowWindow(timer.hwnd(), SW_SHOWNOACTIVATE);
    forms::win32::TopmostKeeper keeper(timer.hwnd());
    TestWindow other(WS_POPUP, L"Other topmost", WS_EX_TOPMOST);
    ShowWindow(other.hwnd(), SW_SHOWNA);
    ASSERT_TRUE(above(other.hwnd(), timer.hwnd()));
    const HWND foreground = GetForegroundWindow();

    keeper.raise();
    EXPECT_TRUE(above(timer.hwnd(), other.hwnd()));
    EXPECT_TRUE(GetWindowLongPtrW(timer.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), foreground);
}

}  // namespace
}  // namespace zantiro::wine_tests
