// Buttons that press without the focus, and the foreground handed back after a menu or box.
#include "forms/win32/keyboard_stays.h"

#include <commctrl.h>
#include <windowsx.h>

namespace zantiro::forms::win32 {
namespace {

constexpr UINT kLenderAnswerMs = 200;

// A press of ours holds the capture without the focus; the button's own press takes the focus first.
bool quietPress(HWND button) {
    return GetCapture() == button && GetFocus() != button;
}

BOOL pointerInside(HWND button, LPARAM at) {
    RECT client{};
    GetClientRect(button, &client);
    const POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    return PtInRect(&client, point);
}

LRESULT CALLBACK quietButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (GetForegroundWindow() != GetAncestor(button, GA_ROOT)) {
                SetCapture(button);
                SendMessageW(button, BM_SETSTATE, TRUE, 0);
                return 0;
            }
            break;  // the active window's button takes the focus as usual, so Tab and Space go on from it
        case WM_MOUSEMOVE:
            if (quietPress(button)) {
                SendMessageW(button, BM_SETSTATE, pointerInside(button, lParam), 0);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (quietPress(button)) {
                const bool inside = pointerInside(button, lParam) != FALSE;
                ReleaseCapture();  // WM_CAPTURECHANGED lifts the button
                if (inside) {
                    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button));
                }
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (GetFocus() != button) {
                SendMessageW(button, BM_SETSTATE, FALSE, 0);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, quietButtonProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

bool ownWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

bool pressWithoutFocus(HWND button) {
    return SetWindowSubclass(button, quietButtonProc, 0, 0) != FALSE;
}

ForegroundLoan::~ForegroundLoan() {
    const HWND now = GetForegroundWindow();
    if (lender_ != nullptr && now != lender_ && IsWindow(lender_) && (now == nullptr || ownWindow(now))) {
        // Under Wine, a program takes the X input focus back only with a timestamp newer than the one that took it
        // away, and it stamps with the time of the last message it got: it gets one now, and has it in hand.
        PostMessageW(lender_, WM_NULL, 0, 0);
        SendMessageTimeoutW(lender_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kLenderAnswerMs, nullptr);
        SetForegroundWindow(lender_);
    }
}

}  // namespace zantiro::forms::win32
