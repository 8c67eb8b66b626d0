// The design's module of window-style helpers.
#pragma once

#include "forms/platform.h"

namespace zantiro::ui {

inline void RemoveTitleBar(forms::WindowSystem& windowSystem, forms::WindowHandle hwnd) {
    windowSystem.removeTitleBar(hwnd);
}

}  // namespace zantiro::ui
