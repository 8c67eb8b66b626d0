// DPI look-ups that keep the exe loadable where the newer calls do not exist.
#include "forms/win32/dpi.h"

#include "forms/win32/newer_calls.h"

namespace zantiro::forms::win32 {
namespace {

constexpr int kDefaultDpi = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Windows 10 1607 and later, so looked up (at each use: tests hide it).
GetDpiForWindowFunction getDpiForWindow() {
    return newerCall<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
}

}  // namespace

int screenDpi() {
    const HDC screen = GetDC(nullptr);  // not owned: released below
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDefaultDpi;
}

int windowDpi(HWND window) {
    if (const GetDpiForWindowFunction function = getDpiForWindow(); function != nullptr && window != nullptr) {
        if (const UINT dpi = function(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

}  // namespace zantiro::forms::win32
