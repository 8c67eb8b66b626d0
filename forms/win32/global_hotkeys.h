// Keys that reach the window from any program: Ctrl+Alt+F1 onwards, held for as long as the object lives.
#pragma once

#include <vector>

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

class GlobalHotkeys {
public:
    // Ctrl+Alt+F1 to F<count> for the window, as WM_HOTKEY ids 1 to count. A key another program (or another timer)
    // already holds stays with it and is listed in taken(); the others work.
    GlobalHotkeys(HWND window, int count);
    ~GlobalHotkeys();
    GlobalHotkeys(const GlobalHotkeys&) = delete;
    GlobalHotkeys& operator=(const GlobalHotkeys&) = delete;

    const std::vector<int>& taken() const { return taken_; }

private:
    HWND window_;  // not owned
    std::vector<int> registered_;
    std::vector<int> taken_;
};

}  // namespace zantiro::forms::win32
