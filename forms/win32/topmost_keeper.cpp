// Back to the top of the topmost band after a foreground or display change, never activated.
#include "forms/win32/topmost_keeper.h"

namespace zantiro::forms::win32 {
namespace {

// The hook's callback has no context argument; one main window has one keeper.
TopmostKeeper* keeper = nullptr;

}  // namespace

TopmostKeeper::TopmostKeeper(HWND window)
    : window_(window),
      hook_(SetWinEventHook(EVENT_SYSTEM_FOREGROUND,
                            EVENT_SYSTEM_FOREGROUND,
                            nullptr,
                            &TopmostKeeper::onWinEvent,
                            0,
                            0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
    keeper = this;
}

TopmostKeeper::~TopmostKeeper() {
    hook_.reset();  // no event after this one is gone
    keeper = nullptr;
}

void CALLBACK TopmostKeeper::onWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD, DWORD) {
    if (keeper != nullptr && event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW) {
        keeper->raise();
    }
}

// No visible window lies above it, other than those it owns.
bool TopmostKeeper::atTop() const {
    for (HWND above = GetWindow(window_, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
        if (IsWindowVisible(above) && GetAncestor(above, GA_ROOTOWNER) != window_) {
            return false;
        }
    }
    return true;
}

void TopmostKeeper::raise() {
    if (!IsWindowVisible(window_) || atTop()) {
        return;
    }
    // Without SWP_NOOWNERZORDER the windows it owns come along and stay above it.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace zantiro::forms::win32
