// The DPI of a window on every Windows from 7 on: the per-window call where the system has it, else the screen's.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// GetDpiForWindow (Windows 10 1607 and later) when user32 offers it; else GetDeviceCaps(LOGPIXELSX) of the screen,
// the one DPI of a system-aware program on older systems.
int windowDpi(HWND window);
int screenDpi();

}  // namespace zantiro::forms::win32
