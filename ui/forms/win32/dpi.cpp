// DPI look-ups that keep the exe loadable where the newer calls do not exist.
#include "ui/forms/win32/dpi.h"

namespace zantiro::forms::win32 {
namespace {

constexpr int kDefaultDpi = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: importing it would stop the exe from loading on Windows 7 and 8.1 ("entry point not found").
GetDpiForWindowFunction getDpiForWindow() {
    static const auto function = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");  // not owned: loaded with the exe
        return user32 != nullptr ? reinterpret_cast<GetDpiForWindowFunction>(
                                       reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")))
                                 : nullptr;
    }();
    return function;
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
