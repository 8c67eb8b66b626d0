// Twips and pixels: the conversions, a real window sized in twips, and the screen in twips at the window's DPI.
#include "forms/win32/dpi.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "forms/units.h"
#include "forms/win32/services.h"
#include "forms/win32/system_library.h"
#include "forms/window.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::pixelsToTwips;
using forms::twipsToPixels;

struct Conversion {
    float twips;
    int dpi;
    int pixels;
    float readBack;
};

// The window design's 3920 x 2450 twips, and the rounding at the edges of a pixel.
constexpr Conversion kConversions[] = {
    {3920, 96, 261, 3915},    {2450, 96, 163, 2445},  {3920, 144, 392, 3920}, {2450, 144, 245, 2450},
    {3920, 120, 327, 3924},   {2450, 120, 204, 2448}, {7, 96, 0, 0},          {8, 96, 1, 15},
    {-3920, 96, -261, -3915}, {10, 144, 1, 10},
};

TEST(TwipsAndPixels, RoundToTheNearestPixelAndReadBackWhole) {
    for (const Conversion& c : kConversions) {
        SCOPED_TRACE(std::to_string(c.twips) + " twips at " + std::to_string(c.dpi) + " dpi");
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels);
        EXPECT_FLOAT_EQ(pixelsToTwips(c.pixels, c.dpi), c.readBack);
    }
}

// The DPI the prefix was made with, when the test run names it (a 144-dpi prefix runs these tests again).
int expectedDpi() {
    wchar_t dpi[16] = {};
    return GetEnvironmentVariableW(L"ZANTIRO_DPI", dpi, 16) > 0 ? static_cast<int>(std::wcstol(dpi, nullptr, 10)) : 0;
}

TEST(TwipsAndPixels, WindowSizedInTwipsHasTheRoundedPixelSizeAndReadsItBack) {
    TestWindow window;
    const int dpi = forms::win32::screenDpi();
    if (expectedDpi() != 0) {
        ASSERT_EQ(dpi, expectedDpi()) << "the prefix's LogPixels did not reach the DPI-aware test";
    }
    forms::Window form("Form1", "计时器");
    form.setDpi(dpi);
    form.setWidth(3920);
    form.setHeight(2450);
    SetWindowPos(window.hwnd(), nullptr, 0, 0, form.pixels().width, form.pixels().height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    RECT rect{};
    GetWindowRect(window.hwnd(), &rect);
    const Conversion* width = nullptr;
    const Conversion* height = nullptr;
    for (const Conversion& c : kConversions) {
        width = c.twips == 3920 && c.dpi == dpi ? &c : width;
        height = c.twips == 2450 && c.dpi == dpi ? &c : height;
    }
    ASSERT_TRUE(width != nullptr && height != nullptr) << "no expectation for " << dpi << " dpi";
    EXPECT_EQ(rect.right - rect.left, width->pixels);
    EXPECT_EQ(rect.bottom - rect.top, height->pixels);
    EXPECT_FLOAT_EQ(pixelsToTwips(rect.right - rect.left, dpi), width->readBack);
    EXPECT_FLOAT_EQ(pixelsToTwips(rect.bottom - rect.top, dpi), height->readBack);
}

TEST(ScreenInTwips, UsesTheBoundWindowsDpiAndNinetySixBeforeThat) {
    const int widthPx = GetSystemMetrics(SM_CXSCREEN);
    const int heightPx = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(widthPx, 0);

    forms::win32::Win32Screen screen;
    EXPECT_FLOAT_EQ(screen.monitors().at(0).width, static_cast<float>(widthPx) * 15);
    EXPECT_FLOAT_EQ(screen.monitors().at(0).height, static_cast<float>(heightPx) * 15);

    TestWindow window;
    const int dpi = forms::win32::screenDpi();
    forms::Window form("Form1", "计时器");
    form.setHandle(window.handle());
    screen.setWindow(form);
    const std::vector<forms::MonitorArea> monitors = screen.monitors();  // Xvfb: one monitor, the whole screen
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_FLOAT_EQ(monitors[0].left, 0);
    EXPECT_FLOAT_EQ(monitors[0].top, 0);
    EXPECT_FLOAT_EQ(monitors[0].width, static_cast<float>(widthPx) * 1440 / static_cast<float>(dpi));
    EXPECT_FLOAT_EQ(monitors[0].height, static_cast<float>(heightPx) * 1440 / static_cast<float>(dpi));
}

// Windows 7 to 8.1 lack GetDpiForWindow: the look-up finds nothing and a window has the screen's DPI, the prefix's
// LogPixels (the 144-dpi run shows it is not a fixed 96).
TEST(OlderWindows, WithoutGetDpiForWindowAWindowHasTheScreensDpi) {
    using forms::win32::GetDpiForWindowFunction;
    using forms::win32::systemCall;
    TestWindow window;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    ASSERT_NE(systemCall<GetDpiForWindowFunction>(user32, "GetDpiForWindow"), nullptr) << "Wine has the call";
    const auto missing = systemCall<GetDpiForWindowFunction>(user32, "GetDpiForWindowOnAnOlderSystem");
    const int dpi = forms::win32::windowDpi(window.hwnd(), missing);

    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(dpi, forms::win32::screenDpi());
    if (expectedDpi() != 0) {
        EXPECT_EQ(dpi, expectedDpi());
    }
}

}  // namespace
}  // namespace zantiro::wine_tests
