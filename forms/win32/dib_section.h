// The one way bitmaps are made to paint into: top-down 32 bpp DIB sections.
#pragma once

#include "forms/win32/handles.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// A top-down 32 bpp DIB section that GDI can blit to and from, compatible with every screen; its rows are
// `size.cx * 4` bytes at `*pixels` (when asked for). Empty when it cannot be made.
inline UniqueBitmap createDibSection(SIZE size, void** pixels = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (pixels != nullptr) {
        *pixels = bitmap ? bits : nullptr;
    }
    return bitmap;
}

}  // namespace zantiro::forms::win32
