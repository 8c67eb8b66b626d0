// Win32WindowSystem on real windows: the title bar's removal, topmost, transparency, capture and messages.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/wine_test_support.h"
#include "ui/forms/win32/services.h"
#include "ui/module1.h"

namespace zantiro::wine_tests {
namespace {

using forms::win32::Win32WindowSystem;

SIZE windowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE clientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

TEST(RemoveTitleBar, ClearsCaptionAndFrameAddsSystemMenuAndMinimiseBoxKeepsTheRest) {
    constexpr DWORD kChanged = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
    for (const DWORD initial : {DWORD{WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN}, DWORD{WS_CAPTION | WS_THICKFRAME}}) {
        SCOPED_TRACE(initial);
        TestWindow window(initial);
        Win32WindowSystem windowSystem;
        const auto before = static_cast<DWORD>(GetWindowLongPtrW(window.hwnd(), GWL_STYLE));
        ASSERT_NE(windowSize(window.hwnd()).cy, clientSize(window.hwnd()).cy) << "the window starts with a frame";

        ui::RemoveTitleBar(windowSystem, window.handle());
        windowSystem.setWindowPos(window.handle(), 0, 0, 0, 0, 0,
                                  SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

        const auto after = static_cast<DWORD>(GetWindowLongPtrW(window.hwnd(), GWL_STYLE));
        EXPECT_EQ(after & (WS_CAPTION | WS_THICKFRAME), 0u);
        EXPECT_EQ(after & (WS_SYSMENU | WS_MINIMIZEBOX), DWORD{WS_SYSMENU | WS_MINIMIZEBOX});
        EXPECT_EQ(after & ~kChanged, before & ~kChanged);
        const SIZE outer = windowSize(window.hwnd());
        const SIZE inner = clientSize(window.hwnd());
        EXPECT_EQ(outer.cx, inner.cx);
        EXPECT_EQ(outer.cy, inner.cy);
    }
}

TEST(WindowSystem, TopmostInsertAfterReachesSetWindowPos) {
    TestWindow window;
    Win32WindowSystem windowSystem;
    ASSERT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // The forms layer spells HWND_TOPMOST as the integer -1.
    windowSystem.setWindowPos(window.handle(), static_cast<forms::WindowHandle>(-1), 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_NE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(WindowSystem, LayeredAlphaReadsBack) {
    for (const int alpha : {26, 128, 255}) {
        SCOPED_TRACE(alpha);
        TestWindow window;
        Win32WindowSystem windowSystem;
        const std::intptr_t exStyle = windowSystem.getWindowLong(window.handle(), GWL_EXSTYLE);
        windowSystem.setWindowLong(window.handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        windowSystem.setLayeredWindowAttributes(window.handle(), 0, static_cast<std::uint8_t>(alpha), LWA_ALPHA);

        EXPECT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE), exStyle | WS_EX_LAYERED);
        COLORREF key = 0;
        BYTE readAlpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window.hwnd(), &key, &readAlpha, &flags));
        EXPECT_EQ(readAlpha, alpha);
        EXPECT_EQ(flags & LWA_ALPHA, DWORD{LWA_ALPHA});
    }
}

TEST(WindowSystem, ReleaseCaptureEndsTheCapture) {
    TestWindow window;
    Win32WindowSystem windowSystem;
    SetCapture(window.hwnd());
    ASSERT_EQ(GetCapture(), window.hwnd());
    windowSystem.releaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(WindowSystem, SendMessagePassesPointerSizedArgumentsAndResult) {
    TestWindow window(WS_OVERLAPPEDWINDOW, L"旧");
    Win32WindowSystem windowSystem;
    const std::wstring title = L"计时器";
    EXPECT_EQ(windowSystem.sendMessage(window.handle(), WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(title.c_str())),
              TRUE);
    wchar_t text[16] = {};
    EXPECT_EQ(windowSystem.sendMessage(window.handle(), WM_GETTEXT, 16, reinterpret_cast<std::intptr_t>(text)), 3);
    EXPECT_EQ(std::wstring(text), title);
}

}  // namespace
}  // namespace zantiro::wine_tests
