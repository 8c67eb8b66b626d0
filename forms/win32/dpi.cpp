// DPI look-ups that keep the exe loadable where the newer calls do not exist.
#include "forms/win32/dpi.h"

#include "forms/units.h"
#include "forms/win32/handles.h"
#include "forms/win32/system_library.h"

namespace zantiro::forms::win32 {

int screenDpi() {
    const UniqueScreenDc screen(GetDC(nullptr));
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int windowDpi(HWND window) {
    static const auto getDpiForWindow =
        systemCall<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    return windowDpi(window, getDpiForWindow);
}

int windowDpi(HWND window, GetDpiForWindowFunction getDpiForWindow) {
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

}  // namespace zantiro::forms::win32
