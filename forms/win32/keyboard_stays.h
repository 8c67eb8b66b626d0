// Working the timer from beside a slideshow: its buttons press without taking the keyboard, and whatever has to
// borrow the keyboard (the popup menu, the input box) gives it back.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// The button presses under the mouse as a push button does (pushed look, capture, BN_CLICKED to its parent on
// release inside) but, while its window is not the foreground, without SetFocus, which would activate the window.
// Installed once; removes itself when the button is destroyed.
bool pressWithoutFocus(HWND button);

// For the time a handler runs: remembers the foreground window, and when the handler has returned and one of this
// program's windows (a closed menu's owner, a closed box's owner) holds the foreground instead, gives it back, if
// that window still exists. A foreground that the user moved to a third program stays there.
class ForegroundLoan {
public:
    ForegroundLoan() : lender_(GetForegroundWindow()) {}
    ~ForegroundLoan();
    ForegroundLoan(const ForegroundLoan&) = delete;
    ForegroundLoan& operator=(const ForegroundLoan&) = delete;

private:
    HWND lender_;  // not owned; may be gone by the end
};

}  // namespace zantiro::forms::win32
