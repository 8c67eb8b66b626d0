// Win32WindowSystem's intents on real windows: the title bar's removal, topmost, opacity and the drag hand-off.
#include <gtest/gtest.h>

#include <cstdint>

#include "forms/win32/services.h"
#include "tests/wine/wine_test_support.h"

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

        windowSystem.removeTitleBar(window.handle());
        SetWindowPos(window.hwnd(), nullptr, 0, 0, 0, 0,
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

TEST(WindowSystem, MakeTopmostPutsTheWindowInTheTopmostBandWhereItIs) {
    TestWindow window;
    Win32WindowSystem windowSystem;
    ASSERT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT before{};
    GetWindowRect(window.hwnd(), &before);
    windowSystem.makeTopmost(window.handle());
    EXPECT_NE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT after{};
    GetWindowRect(window.hwnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(WindowSystem, SetOpacityMakesTheWindowLayeredKeepsItsOtherStylesAndReadsBack) {
    TestWindow window(WS_OVERLAPPEDWINDOW, L"Zantiro test", WS_EX_TOOLWINDOW);
    Win32WindowSystem windowSystem;
    const LONG_PTR exStyle = GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE);
    ASSERT_EQ(exStyle & WS_EX_LAYERED, 0);
    for (const int alpha : {26, 128, 255}) {  // opaque again at the end, and still layered
        SCOPED_TRACE(alpha);
        windowSystem.setOpacity(window.handle(), static_cast<std::uint8_t>(alpha));

        EXPECT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE), exStyle | WS_EX_LAYERED);
        COLORREF key = 0;
        BYTE readAlpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window.hwnd(), &key, &readAlpha, &flags));
        EXPECT_EQ(readAlpha, alpha);
        EXPECT_EQ(flags & LWA_ALPHA, DWORD{LWA_ALPHA});
    }
}

// Takes the caption press in place of DefWindowProc, whose move loop would wait for a button nobody holds.
struct CaptionPress {
    static inline WNDPROC original = nullptr;
    static inline int count = 0;
    static inline WPARAM hitTest = 0;
    static inline HWND captureAtPress = nullptr;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCLBUTTONDOWN) {
            ++count;
            hitTest = wParam;
            captureAtPress = GetCapture();
            return 0;
        }
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
};

TEST(WindowSystem, BeginDragReleasesTheCaptureThenPressesOnTheCaption) {
    TestWindow window;
    CaptionPress::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CaptionPress::windowProc)));
    SetCapture(window.hwnd());
    ASSERT_EQ(GetCapture(), window.hwnd());

    Win32WindowSystem().beginDrag(window.handle());

    EXPECT_EQ(CaptionPress::count, 1);
    EXPECT_EQ(CaptionPress::hitTest, WPARAM{HTCAPTION});
    EXPECT_EQ(CaptionPress::captureAtPress, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    SetWindowLongPtrW(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CaptionPress::original));
}

}  // namespace
}  // namespace zantiro::wine_tests
