// RegisterHotKey for Ctrl+Alt+F1 onwards. No message box when one is taken: the caller says so quietly.
#include "forms/win32/global_hotkeys.h"

#include "forms/win32/failures.h"

namespace zantiro::forms::win32 {

GlobalHotkeys::GlobalHotkeys(HWND window, int count) : window_(window) {
    for (int number = 1; number <= count; ++number) {
        // MOD_NOREPEAT (Windows 7 on): a held key pauses once, not on and off at the keyboard's repeat rate.
        const bool held = RegisterHotKey(window_, number, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT,
                                         static_cast<UINT>(VK_F1 + number - 1)) != FALSE;
        if (reportIf(!held)) {
            taken_.push_back(number);
        } else {
            registered_.push_back(number);
        }
    }
}

GlobalHotkeys::~GlobalHotkeys() {
    for (const int number : registered_) {
        UnregisterHotKey(window_, number);
    }
}

}  // namespace zantiro::forms::win32
