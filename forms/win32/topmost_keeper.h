// Keeps the window at the top of the topmost band, answering each change of the foreground window and each
// display change once, without activating it.
#pragma once

#include "forms/win32/handles.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Another topmost window that comes forward would stay above the timer until the timer is clicked. The keeper
// answers only events that its own move does not cause (SWP_NOACTIVATE changes no foreground), so it never
// loops, and never fights another window that raises itself: a later raise of that window stands until the
// foreground changes again.
class TopmostKeeper {
public:
    // Hooks EVENT_SYSTEM_FOREGROUND out of context, for other processes' windows only: the events arrive
    // through this thread's message loop.
    explicit TopmostKeeper(HWND window);
    ~TopmostKeeper();
    TopmostKeeper(const TopmostKeeper&) = delete;
    TopmostKeeper& operator=(const TopmostKeeper&) = delete;

    // Back to the top unless nothing but windows it owns (the input box) lies above it. Called for each
    // foreground change (the hook) and each WM_DISPLAYCHANGE.
    void raise();

private:
    static void CALLBACK
    onWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread, DWORD time);
    bool atTop() const;

    HWND window_;  // not owned
    UniqueWinEventHook hook_;
};

}  // namespace zantiro::forms::win32
