// The DPI of a window on every Windows from 7 on: the per-window call where the system has it, else the screen's.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow (Windows 10 1607 and later) when user32 offers it; else GetDeviceCaps(LOGPIXELSX) of the screen,
// the one DPI of a system-aware program on older systems.
int windowDpi(HWND window);
// The same with the per-window call given; null, as on Windows 7 to 8.1, gives the screen's DPI.
int windowDpi(HWND window, GetDpiForWindowFunction getDpiForWindow);
int screenDpi();

}  // namespace zantiro::forms::win32
