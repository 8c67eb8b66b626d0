// The main window as the forms layer's Win32 backend: real buttons, measured labels, repaints, mouse, keys.
#include "forms/win32/main_window.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/dpi.h"
#include "forms/win32/fonts.h"
#include "forms/win32/layout.h"
#include "forms/win32/win32.h"
#include "forms/window.h"
#include "resources/resource_ids.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using namespace forms::win32;
using forms::pixelsToTwips;
using forms::twipsToPixels;

const forms::Font kDigitsFont{"宋体", 72, 700, 134};
const forms::Font kButtonFont{"宋体", 10.5f, 700, 134};

Picture background() {
    return Picture::load(IDR_BACKGROUND);
}

struct Move {
    int button, shift;
    float x, y;
};

std::wstring textOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// The client area as the window paints it for PrintWindow.
COLORREF printedAt(HWND window, POINT at) {
    Surface printed(at.x + 1, at.y + 1);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    return printed.at(at.x, at.y);
}

RECT clientRectOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE extentOf(const std::wstring& text, const forms::Font& font, int dpi) {
    const UniqueFont gdiFont = createFont(font, dpi);
    MemoryCanvas canvas;
    const ScopedSelect select(canvas.dc(), gdiFont.get());
    SIZE extent{};
    GetTextExtentPoint32W(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// A small design: digits with a hidden label above them, two buttons whose tab order differs from their design
// order, a frame and a timer.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        for (forms::Control* control :
             std::initializer_list<forms::Control*>{&digits, &cover, &start, &pause, &frame, &tick}) {
            window.addControl(*control);
        }
        window.onUnload = [this] { ++unloads; };
        window.onMouseMove = [this](int b, int s, float x, float y) { windowMoves.push_back({b, s, x, y}); };
        digits.onMouseMove = [this](int b, int s, float x, float y) { digitMoves.push_back({b, s, x, y}); };
        cover.onMouseMove = [this](int b, int s, float x, float y) { coverMoves.push_back({b, s, x, y}); };
        start.onClick = [this] { ++startClicks; };
        pause.onClick = [this] { ++pauseClicks; };
        tick.onTick = [this] { ++ticks; };
        mainWindow.onFunctionKey = [this](int number) { functionKeys.push_back(number); };
        created = mainWindow.create();
        window.setWidth(3920);
        window.setHeight(2450);
    }

    HWND hwnd() const { return mainWindow.hwnd(); }
    HWND firstButton() const { return GetWindow(hwnd(), GW_CHILD); }
    HWND secondButton() const { return GetWindow(firstButton(), GW_HWNDNEXT); }
    int dpi() const { return window.dpi(); }
    // The real window lies at (left, top) twips with the design's size; returns its rectangle.
    RECT expectRealWindowAt(int left, int top) const {
        RECT rect{};
        GetWindowRect(hwnd(), &rect);
        EXPECT_EQ(rect.left, twipsToPixels(left, dpi()));
        EXPECT_EQ(rect.top, twipsToPixels(top, dpi()));
        EXPECT_EQ(rect.right - rect.left, twipsToPixels(3920, dpi()));
        EXPECT_EQ(rect.bottom - rect.top, twipsToPixels(2450, dpi()));
        return rect;
    }
    // Shown, painted, and with nothing left to paint, so a change's invalidation can be read alone.
    void showSettled() {
        mainWindow.show();
        pumpFor(100);
        ValidateRect(hwnd(), nullptr);
    }

    forms::Window window{"Form1", "Zantiro 测试"};
    forms::Label digits{"Label3", {"00", 120, 0, 0, 0, &kDigitsFont, true, 0}};
    forms::Label cover{"Label1", {"00", 120, 0, 0, 0, &kDigitsFont, false, 1}};
    forms::CommandButton start{"Command1", {"开 始", 120, 1560, 735, 375, &kButtonFont, true, 5}};
    forms::CommandButton pause{"Command2", {"暂 停", 840, 1560, 735, 375, &kButtonFont, false, 4}};
    forms::Shape frame{"Shape1", {.left = 25, .top = 25, .width = 3850, .height = 1455, .borderWidth = 5}};
    forms::Timer tick{"Timer1", 0, false};
    int unloads = 0, startClicks = 0, pauseClicks = 0, ticks = 0;
    std::vector<Move> windowMoves, digitMoves, coverMoves;
    std::vector<int> functionKeys;
    MainWindow mainWindow{window, background()};  // last: detaches first
    bool created = false;
};

TEST_F(MainWindowTest, IsCreatedHiddenWithTheDesignsCaptionAndReportsItsHandleAndDpi) {
    ASSERT_TRUE(created);
    EXPECT_EQ(window.hWnd(), reinterpret_cast<forms::WindowHandle>(hwnd()));
    EXPECT_EQ(textOf(hwnd()), L"Zantiro 测试");
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_EQ(window.dpi(), forms::win32::screenDpi());  // Wine has one DPI for all
    // Shown at the size the load gave it: hidden, the window has not painted at that size yet.
    showSettled();
    EXPECT_NE(printedAt(hwnd(), POINT{200, 12}), kNoPictureFill) << "the picture shows, in open sky";
}

TEST_F(MainWindowTest, MakesOneRealPushButtonPerCommandButtonInTabOrder) {
    ASSERT_TRUE(created);
    ASSERT_NE(secondButton(), nullptr);
    EXPECT_EQ(GetWindow(secondButton(), GW_HWNDNEXT), nullptr);
    EXPECT_EQ(textOf(firstButton()), L"暂 停");
    EXPECT_EQ(textOf(secondButton()), L"开 始");
    EXPECT_FALSE(IsWindowEnabled(firstButton()));
    EXPECT_TRUE(IsWindowEnabled(secondButton()));
    for (HWND button : {firstButton(), secondButton()}) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        EXPECT_NE(style & WS_TABSTOP, 0u);
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "no button is the default button";
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, fontHeight(10.5f, dpi()));
        EXPECT_STREQ(font.lfFaceName, L"宋体");
    }
    const RECT expected = pixelRect(start, dpi());
    const RECT actual = clientRectOf(secondButton());
    EXPECT_TRUE(EqualRect(&expected, &actual));
}

TEST_F(MainWindowTest, ButtonsFollowCaptionAndEnabledChanges) {
    start.setCaption("停 止");
    pause.setEnabled(true);
    EXPECT_EQ(textOf(secondButton()), L"停 止");
    EXPECT_TRUE(IsWindowEnabled(firstButton()));
}

TEST_F(MainWindowTest, AClickRunsTheHandlerOnlyWhileTheButtonIsEnabled) {
    SendMessageW(secondButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(startClicks, 1);
    const auto clickPause = [this] {
        SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(firstButton()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(firstButton()));
    };
    clickPause();
    EXPECT_EQ(pauseClicks, 0);
    pause.setEnabled(true);
    clickPause();
    EXPECT_EQ(pauseClicks, 1);
}

TEST_F(MainWindowTest, DisablingTheFocusedButtonHandsTheFocusOnInTabOrder) {
    pause.setEnabled(true);
    showSettled();
    SetFocus(firstButton());
    ASSERT_EQ(GetFocus(), firstButton());
    pause.setEnabled(false);
    EXPECT_EQ(GetFocus(), secondButton());
    start.setEnabled(false);
    EXPECT_EQ(GetFocus(), hwnd()) << "no button left to take it";
    start.setEnabled(true);
    SendMessageW(hwnd(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), secondButton()) << "the window passes its focus on to the first button that can take it";
}

TEST_F(MainWindowTest, LabelsTakeTheExtentOfTheirCaptionInTheirFont) {
    SIZE extent = extentOf(L"00", kDigitsFont, dpi());
    EXPECT_FLOAT_EQ(digits.width(), pixelsToTwips(extent.cx, dpi()));
    EXPECT_FLOAT_EQ(digits.height(), pixelsToTwips(extent.cy, dpi()));
    digits.setCaption("0000");
    extent = extentOf(L"0000", kDigitsFont, dpi());
    EXPECT_FLOAT_EQ(digits.width(), pixelsToTwips(extent.cx, dpi()));
}

TEST_F(MainWindowTest, ALabelChangeRepaintsItsOldAndNewRectanglesAndNothingWhenNothingChanged) {
    showSettled();
    const RECT before = pixelRect(digits, dpi());
    digits.setCaption("0");  // narrower
    RECT dirty{};
    ASSERT_TRUE(GetUpdateRect(hwnd(), &dirty, FALSE));
    EXPECT_TRUE(EqualRect(&dirty, &before));

    ValidateRect(hwnd(), nullptr);
    digits.setCaption("0");
    cover.setForeColour(forms::rgb(1, 2, 3));  // hidden: nothing to see
    EXPECT_FALSE(GetUpdateRect(hwnd(), nullptr, FALSE));

    digits.setLeft(3000);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(hwnd(), region.get(), FALSE);
    const RECT after = pixelRect(digits, dpi());
    EXPECT_TRUE(PtInRegion(region.get(), before.left + 1, before.top + 1));
    EXPECT_TRUE(PtInRegion(region.get(), after.right - 1, after.bottom - 1));
    EXPECT_FALSE(PtInRegion(region.get(), before.right + 2, before.top + 1)) << "between the two rectangles";
}

TEST_F(MainWindowTest, AFrameColourChangeRepaintsItsBorderOnly) {
    showSettled();
    frame.setBorderColour(forms::rgb(255, 0, 0));
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetUpdateRgn(hwnd(), region.get(), FALSE), NULLREGION);
    const RECT rect = pixelRect(frame, dpi());
    EXPECT_TRUE(PtInRegion(region.get(), rect.left, rect.top));
    EXPECT_TRUE(PtInRegion(region.get(), rect.left + 4, (rect.top + rect.bottom) / 2));
    EXPECT_FALSE(PtInRegion(region.get(), rect.left + 5, (rect.top + rect.bottom) / 2));
    EXPECT_FALSE(PtInRegion(region.get(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
}

TEST_F(MainWindowTest, GeometryInTwipsMovesTheRealWindowAndSystemMovesAreReportedBack) {
    showSettled();
    window.setLeft(1500);
    window.setTop(750);
    expectRealWindowAt(1500, 750);

    SetWindowPos(hwnd(), nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // as a drag would
    EXPECT_EQ(window.pixels().left, 37);
    EXPECT_EQ(window.pixels().top, 41);
}

// The load handling sizes and places the hidden window, and makes it topmost, which the system answers with a
// placement of its own: the window shows where the load put it.
TEST_F(MainWindowTest, TheWindowShowsWhereItWasPlacedWhileHidden) {
    window.setLeft(1500);
    window.setTop(750);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    showSettled();
    const RECT rect = expectRealWindowAt(1500, 750);
    EXPECT_EQ(window.pixels().left, rect.left);
    EXPECT_EQ(window.pixels().width, rect.right - rect.left);
}

TEST_F(MainWindowTest, MouseMovesGoToTheTopmostVisibleLabelInItsOwnTwipsElseToTheWindow) {
    const RECT label = pixelRect(digits, dpi());
    const auto moveTo = [this](WPARAM keys, int x, int y) {
        SendMessageW(hwnd(), WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
    };
    moveTo(MK_LBUTTON | MK_SHIFT, label.left + 3, label.top + 6);
    ASSERT_EQ(digitMoves.size(), 1u) << "the hidden label above it takes no mouse";
    EXPECT_EQ(digitMoves[0].button, 1);
    EXPECT_EQ(digitMoves[0].shift, 1);
    EXPECT_FLOAT_EQ(digitMoves[0].x, pixelsToTwips(3, dpi()));
    EXPECT_FLOAT_EQ(digitMoves[0].y, pixelsToTwips(6, dpi()));

    cover.setVisible(true);
    moveTo(MK_RBUTTON | MK_MBUTTON | MK_CONTROL, label.left + 3, label.top + 6);
    ASSERT_EQ(coverMoves.size(), 1u);
    EXPECT_EQ(coverMoves[0].button, 6);
    EXPECT_EQ(coverMoves[0].shift, 2);

    moveTo(0, label.right + 10, label.top + 6);
    ASSERT_EQ(windowMoves.size(), 1u);
    EXPECT_FLOAT_EQ(windowMoves[0].x, pixelsToTwips(label.right + 10, dpi()));
    EXPECT_EQ(digitMoves.size(), 1u);
}

TEST_F(MainWindowTest, FunctionKeysReachTheirHandlerWhicheverButtonHasTheFocus) {
    showSettled();
    SetFocus(secondButton());
    MSG f3{secondButton(), WM_KEYDOWN, VK_F3, 0x003D0001, 0, {}};
    EXPECT_NE(TranslateAcceleratorW(hwnd(), mainWindow.accelerators(), &f3), 0);
    MSG f6{secondButton(), WM_KEYDOWN, VK_F6, 0x00400001, 0, {}};
    EXPECT_EQ(TranslateAcceleratorW(hwnd(), mainWindow.accelerators(), &f6), 0);
    MSG f10{secondButton(), WM_SYSKEYDOWN, VK_F10, 0x00440001, 0, {}};  // the menu key comes as a system key
    EXPECT_NE(TranslateAcceleratorW(hwnd(), mainWindow.accelerators(), &f10), 0);
    EXPECT_EQ(functionKeys, (std::vector<int>{3, 10}));
}

TEST_F(MainWindowTest, EnterClicksTheFocusedButtonAndEscapeClicksNothing) {
    pause.setEnabled(true);
    showSettled();
    SetFocus(secondButton());
    MSG enter{secondButton(), WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(hwnd(), &enter));
    MSG escape{secondButton(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    IsDialogMessageW(hwnd(), &escape);
    EXPECT_EQ(startClicks, 1);
    EXPECT_EQ(pauseClicks, 0);
}

// Wine never sends WM_DPICHANGED, so the test sends it as Windows does when the window is dragged from a 100 % to
// a 200 % monitor.
TEST_F(MainWindowTest, ADpiChangeTakesTheSuggestedRectangleAndRedoesFontsLabelsPictureAndFrame) {
    ASSERT_EQ(dpi(), 96) << "runs in the 96-dpi prefix";
    constexpr int kDouble = 192;
    showSettled();
    int relayouts = 0;
    window.onDpiChanged = [&] {
        ++relayouts;
        EXPECT_EQ(window.dpi(), kDouble);
        EXPECT_EQ(window.pixels().width, 523) << "the form lays out in the new rectangle";
    };
    const RECT suggested{40, 30, 40 + 523, 30 + 327};
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(kDouble, kDouble), reinterpret_cast<LPARAM>(&suggested));

    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    EXPECT_TRUE(EqualRect(&rect, &suggested));
    EXPECT_EQ(relayouts, 1);
    const RECT button = pixelRect(start, kDouble);
    const RECT placed = clientRectOf(secondButton());
    EXPECT_TRUE(EqualRect(&button, &placed));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(secondButton(), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, fontHeight(10.5f, kDouble));
    EXPECT_FLOAT_EQ(digits.width(), pixelsToTwips(extentOf(L"00", kDigitsFont, kDouble).cx, kDouble));

    Surface shown(rect.right - rect.left, rect.bottom - rect.top);
    SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.dc()), PRF_CLIENT);
    EXPECT_EQ(shown.count(RECT{0, 0, 523, 327}, GetSysColor(COLOR_BTNFACE)), 0) << "the picture covers the window";
    const RECT border = pixelRect(frame, kDouble);
    const COLORREF black = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(shown.at(border.left + 9, 100), black);
    EXPECT_NE(shown.at(border.left + 10, 100), black) << "the frame is 10 pixels wide at 200 %";
}

// The user's scale remakes what a DPI change remakes, and stays on top of the next DPI the system sends.
TEST_F(MainWindowTest, AScaleRemakesFontsLabelsAndButtonsAndMultipliesTheNextDpi) {
    ASSERT_EQ(dpi(), 96) << "runs in the 96-dpi prefix";
    showSettled();
    const auto buttonFontHeight = [this] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(secondButton(), WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font.lfHeight;
    };
    window.setScale(200);
    window.setBounds(0, 0, 3920, 2450);
    EXPECT_EQ(window.pixels().width, 523);
    EXPECT_EQ(buttonFontHeight(), fontHeight(10.5f, 192));
    EXPECT_FLOAT_EQ(digits.width(), pixelsToTwips(extentOf(L"00", kDigitsFont, 192).cx, 192));
    const RECT button = pixelRect(start, 192);
    const RECT placed = clientRectOf(secondButton());
    EXPECT_TRUE(EqualRect(&button, &placed));

    const RECT suggested{0, 0, 653, 408};  // a 125 % monitor: 240 dpi under the user's 200 %
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window.dpi(), 240);
    EXPECT_EQ(buttonFontHeight(), fontHeight(10.5f, 240));
}

TEST_F(MainWindowTest, ClosingRunsTheUnloadHandlingWhichDecidesTheRest) {
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(IsWindow(hwnd()));
}

TEST_F(MainWindowTest, EnabledTimersTickThroughTheSchedulerAndStopWhenDisabled) {
    tick.setInterval(30);
    tick.setEnabled(true);
    EXPECT_TRUE(pumpUntil([this] { return ticks >= 2; }, 2000));
    tick.setEnabled(false);
    const int stoppedAt = ticks;
    pumpFor(150);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(MainWindowLifetime, DestroyingTheBackendIsNoUnloadAndDetachesTheControls) {
    forms::Window window("Form1", "Zantiro");
    forms::Label label("Label6", {"00:00:00", 1200, 2160, 0, 0, &kButtonFont, true, 0});
    window.addControl(label);
    int unloads = 0;
    window.onUnload = [&unloads] { ++unloads; };
    HWND hwnd = nullptr;
    {
        MainWindow mainWindow(window, Picture{});
        ASSERT_TRUE(mainWindow.create());
        window.setWidth(3920);
        window.setHeight(2450);
        mainWindow.show();
        EXPECT_EQ(printedAt(mainWindow.hwnd(), POINT{200, 12}), kNoPictureFill) << "no picture";
        hwnd = mainWindow.hwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(unloads, 0);
    label.setCaption("12:00:00");  // no observer left to call
    window.setLeft(100);
}

}  // namespace
}  // namespace zantiro::wine_tests
