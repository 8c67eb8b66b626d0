// Faults inside the program: a handler that throws, and Win32 calls that fail, are reported and survived.
#include <gtest/gtest.h>
#include <wincodec.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/com_apartment.h"
#include "forms/win32/failures.h"
#include "forms/win32/fonts.h"
#include "forms/win32/handles.h"
#include "forms/win32/main_window.h"
#include "forms/win32/notice.h"
#include "forms/win32/picture.h"
#include "forms/window.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::win32::MainWindow;
using forms::win32::Picture;

const forms::Font kButtonFont{"宋体", 10.5f, 700, 134};

// A report whose place ("file(line) function") or exception text holds `text`.
bool anyReport(const RecordedFailures& failures, const std::wstring& text, bool toUser) {
    for (const auto& report : failures.reports) {
        const bool matches = forms::win32::describe(report.where).find(text) != std::wstring::npos ||
                             report.exception.find(text) != std::wstring::npos;
        if (matches && (report.userMessage != nullptr) == toUser) {
            return true;
        }
    }
    return false;
}

// The real window, its real WM_TIMER messages and its window procedure: the first tick throws.
TEST(Faults, ATickHandlerThatThrowsIsReportedAndItsTimerGoesOnTicking) {
    RecordedFailures failures;
    forms::Window window("Form1", "Zantiro");
    forms::Timer timer("Timer1", 20, true);
    window.addControl(timer);
    int ticks = 0;
    timer.onTick = [&ticks] {
        if (++ticks == 1) {
            throw std::runtime_error("first tick");
        }
    };
    MainWindow mainWindow(window, Picture{});
    ASSERT_TRUE(mainWindow.create());
    EXPECT_TRUE(pumpUntil([&ticks] { return ticks >= 4; }, 3000)) << "ticks after the throw: " << ticks - 1;
    EXPECT_TRUE(anyReport(failures, L"first tick", false));
    EXPECT_TRUE(anyReport(failures, L"window_base.h", false)) << "stopped in the window procedure";
}

TEST(Faults, ATimerThatCannotBeArmedIsReportedToTheUser) {
    HWND gone = nullptr;
    {
        const TestWindow window;
        gone = window.hwnd();
    }
    RecordedFailures failures;
    forms::win32::TimerScheduler scheduler(gone, nullptr);  // SetTimer on a destroyed window fails
    forms::Timer timer("Timer1", 100, true);
    scheduler.add(timer);
    EXPECT_TRUE(anyReport(failures, L"timer_scheduler.cpp", true));
}

// GDI out of handles, for real: brushes until the process's handle table (or quota) is full.
using Brush = forms::win32::UniqueHandle<forms::win32::GdiObjectPolicy<HBRUSH>>;
TEST(Faults, AFontThatCannotBeCreatedFallsBackToTheStockFontUntilItCanBe) {
    RecordedFailures failures;
    forms::win32::FontCache fonts(96);
    std::vector<Brush> brushes;
    for (Brush brush(CreateSolidBrush(0)); brush; brush.reset(CreateSolidBrush(0))) {
        brushes.push_back(std::move(brush));
    }
    const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(fonts.get(kButtonFont), stock);
    EXPECT_TRUE(anyReport(failures, L"fonts.h", true));
    brushes.clear();
    const HFONT font = fonts.get(kButtonFont);
    EXPECT_NE(font, stock);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
}

// A CBT hook refuses to create the button captioned 暂 停, as an exhausted session would.
HHOOK gRefusingHook = nullptr;
LRESULT CALLBACK refusePauseButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (create->lpszName != nullptr && !IS_INTRESOURCE(create->lpszName) &&
            std::wstring(create->lpszName) == L"暂 停") {
            return 1;
        }
    }
    return CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

TEST(Faults, AButtonThatCannotBeCreatedIsReportedAndTheRestOfTheWindowWorks) {
    RecordedFailures failures;
    forms::Window window("Form1", "Zantiro");
    forms::CommandButton start{"Command1", {"开 始", 120, 1560, 735, 375, &kButtonFont, true, 0}};
    forms::CommandButton pause{"Command2", {"暂 停", 840, 1560, 735, 375, &kButtonFont, true, 1}};
    window.addControl(start);
    window.addControl(pause);
    int startClicks = 0, pauseClicks = 0;
    start.onClick = [&startClicks] { ++startClicks; };
    pause.onClick = [&pauseClicks] { ++pauseClicks; };
    MainWindow mainWindow(window, Picture{});

    gRefusingHook = SetWindowsHookExW(WH_CBT, refusePauseButton, nullptr, GetCurrentThreadId());
    ASSERT_NE(gRefusingHook, nullptr);
    const bool created = mainWindow.create();
    UnhookWindowsHookEx(gRefusingHook);
    ASSERT_TRUE(created);
    EXPECT_TRUE(anyReport(failures, L"createButtons", true));

    const HWND only = GetWindow(mainWindow.hwnd(), GW_CHILD);
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(GetWindow(only, GW_HWNDNEXT), nullptr);
    SendMessageW(only, BM_CLICK, 0, 0);
    EXPECT_EQ(startClicks, 1);
    // A command without a sender (a menu's, lParam 0) is not the missing button's click; its changes go nowhere.
    SendMessageW(mainWindow.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(only) + 1, BN_CLICKED), 0);
    EXPECT_EQ(pauseClicks, 0);
    pause.setCaption("恢 复");
    pause.setEnabled(false);
    wchar_t caption[16] = {};
    GetWindowTextW(only, caption, 16);
    EXPECT_STREQ(caption, L"开 始");
}

// 64 bpp rows do not fit the 32 bpp rows the picture copies (the imaging component refuses), and the refusing hook
// above turns the notice's window away: both are reported by their line, the COM call with its HRESULT.
TEST(Faults, AnImagingCallThatFailsAndANoticeThatCannotBeShownAreReported) {
    RecordedFailures failures;
    forms::win32::ComPtr<IWICImagingFactory> factory;
    ASSERT_TRUE(SUCCEEDED(forms::win32::createInProcess(CLSID_WICImagingFactory1, IID_PPV_ARGS(factory.put()))));
    forms::win32::ComPtr<IWICBitmap> wide;
    ASSERT_TRUE(SUCCEEDED(factory->CreateBitmap(4, 4, GUID_WICPixelFormat64bppRGBA, WICBitmapCacheOnLoad, wide.put())));
    EXPECT_FALSE(Picture::copyOf(wide.get()).decoded());
    ASSERT_EQ(failures.reports.size(), 1u);
    EXPECT_NE(forms::win32::describe(failures.reports[0]).find(L"picture.cpp"), std::wstring::npos);
    EXPECT_NE(forms::win32::describe(failures.reports[0]).find(L"(HRESULT 0x80070057)"), std::wstring::npos);

    gRefusingHook = SetWindowsHookExW(WH_CBT, refusePauseButton, nullptr, GetCurrentThreadId());
    forms::win32::Notice notice;
    EXPECT_FALSE(notice.show(GetDesktopWindow(), L"暂 停", kButtonFont, 96, 1000));
    UnhookWindowsHookEx(gRefusingHook);
    EXPECT_TRUE(anyReport(failures, L"notice.cpp", false));
}

}  // namespace
}  // namespace zantiro::wine_tests
