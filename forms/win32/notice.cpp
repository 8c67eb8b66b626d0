// The notice: a topmost tool window that is never activated, sized to its text, gone after its time.
#include "forms/win32/notice.h"

#include <algorithm>

#include "forms/units.h"
#include "forms/win32/failures.h"
#include "forms/win32/fonts.h"

namespace zantiro::forms::win32 {
namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr int kDesignMargin = 8;  // pixels at the design DPI
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX;

}  // namespace

bool Notice::show(HWND beside, const std::wstring& text, const Font& font, int dpi, UINT milliseconds) {
    destroy();  // the notice showing gives way
    WNDCLASSEXW windowClass{};
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
    windowClass.lpszClassName = kClassName;
    text_ = text;
    font_ = createFont(font, dpi);
    reportIf(!font_);  // drawn in the stock font then
    margin_ = designPixelsAt(kDesignMargin, dpi);

    RECT extent{0, 0, 0, 0};
    {
        const UniqueMemoryDc measure(CreateCompatibleDC(nullptr));
        const ScopedSelect selected(measure.get(), textFont());
        DrawTextW(measure.get(), text_.c_str(), static_cast<int>(text_.size()), &extent, kTextFormat | DT_CALCRECT);
    }
    const int width = extent.right + 2 * margin_ + 2;  // and the border
    const int height = extent.bottom + 2 * margin_ + 2;

    RECT anchor{};
    GetWindowRect(beside, &anchor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(beside, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int gap = margin_ / 2;
    const int top = anchor.bottom + gap + height <= work.bottom ? anchor.bottom + gap : anchor.top - gap - height;
    const int left = std::clamp(static_cast<int>(anchor.left), static_cast<int>(work.left),
                                std::max(static_cast<int>(work.left), static_cast<int>(work.right) - width));

    if (reportIf(!registerClass(windowClass) || !createWindow(kClassName, text_.c_str(), WS_POPUP | WS_BORDER,
                                                              WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                                              RECT{left, top, left + width, top + height}))) {
        return false;
    }
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    reportIf(SetTimer(hwnd(), kCloseTimer, milliseconds, nullptr) == 0);  // it stays then, until clicked
    return true;
}

LRESULT Notice::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_TIMER:
            destroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

// The design's font, or the stock one when GDI could not make it.
HGDIOBJ Notice::textFont() const {
    return font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
}

void Notice::onPaint() {
    const ScopedPaint paint(hwnd());
    const HDC dc = paint.dc();
    RECT client{};
    GetClientRect(hwnd(), &client);
    InflateRect(&client, -margin_, -margin_);
    {
        const ScopedSelect selected(dc, textFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &client, kTextFormat);
    }
}

}  // namespace zantiro::forms::win32
