// The baselines for start-up and memory, same toolchain as zantiro.exe, built twice (bench/bench.cmake):
// - zantiro_bare_window: a window of the timer's size, painted with one fill;
// - zantiro_same_texts_window (ZANTIRO_SAME_TEXTS): the same window showing the texts zantiro.exe shows when it
//   starts, in the same fonts and colours at the same places, drawn with TextOutW. Against it, a ratio measures the
//   timer's own work (buttons, picture, frame, layout), not the system's first Chinese font.
#include <cmath>

#include "forms/win32/win32.h"

namespace {

#ifdef ZANTIRO_SAME_TEXTS
constexpr bool kSameTexts = true;
#else
constexpr bool kSameTexts = false;
#endif

struct Text {
    const wchar_t* text;
    int leftTwips;
    int topTwips;
    int font;  // index into kPoints
    COLORREF colour;
};

constexpr float kPoints[] = {72, 12, 10.5f};  // digits, clock, buttons: "宋体" bold, GB2312
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kButtonText = RGB(0, 0, 0);
// The run-time layout at 96 dpi: minutes, colon and seconds from 120 twips; the clock row; the button captions at
// the buttons' places (a button centres its caption; the offsets put them there).
constexpr Text kTexts[] = {
    {L"00", 120, 0, 0, kRed},
    {L":", 1590, 0, 0, kRed},
    {L"00", 2325, 0, 0, kRed},
    {L"当前时间：", 0, 2160, 1, kButtonText},
    {L"00:00:00", 1200, 2160, 1, kButtonText},
    {L"开 始", 225, 1650, 2, kButtonText},
    {L"暂 停", 945, 1650, 2, kButtonText},
    {L"复 位", 1665, 1650, 2, kButtonText},
    {L"功 能", 2385, 1650, 2, kButtonText},
    {L"退 出", 3105, 1650, 2, kButtonText},
};

HFONT fonts[3];

void createFonts(HWND hwnd) {
    const HDC screen = GetDC(hwnd);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(hwnd, screen);
    for (int i = 0; i < 3; ++i) {
        const int height = -static_cast<int>(std::lround(static_cast<double>(kPoints[i]) * dpi / 72.0));
        fonts[i] = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    }
}

void drawTexts(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    for (const Text& text : kTexts) {
        const HGDIOBJ old = SelectObject(dc, fonts[text.font]);
        SetTextColor(dc, text.colour);
        TextOutW(dc, MulDiv(text.leftTwips, dpi, 1440), MulDiv(text.topTwips, dpi, 1440), text.text,
                 lstrlenW(text.text));
        SelectObject(dc, old);
    }
}

LRESULT CALLBACK baselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(hwnd, &paint);
            FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            if constexpr (kSameTexts) {
                drawTexts(dc);
            }
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = baselineProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSameTexts ? L"ZantiroSameTextsWindow" : L"ZantiroBareWindow";
    RegisterClassW(&windowClass);
    // 3920 x 2450 twips at 96 dpi, as the timer's window.
    const HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, kSameTexts ? L"Same texts" : L"Bare",
                                      WS_POPUP, 500, 1, 261, 163, nullptr, nullptr, instance, nullptr);
    if constexpr (kSameTexts) {
        createFonts(hwnd);
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
