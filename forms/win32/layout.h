// Where the design's controls land in client pixels: shared by painting, invalidation and mouse hit tests.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>

#include "forms/controls.h"
#include "forms/units.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Each edge and extent rounds on its own, as the forms runtime converts them.
inline RECT pixelRect(float left, float top, float width, float height, int dpi) {
    const int x = twipsToPixels(left, dpi);
    const int y = twipsToPixels(top, dpi);
    return RECT{x, y, x + twipsToPixels(width, dpi), y + twipsToPixels(height, dpi)};
}

template <typename Control>
RECT pixelRect(const Control& control, int dpi) {
    return pixelRect(control.left(), control.top(), control.width(), control.height(), dpi);
}

// The four strips a border of `thickness` pixels covers inside `rect` (top, bottom, left, right). A border thicker
// than half the shape fills it, each pixel once.
inline std::array<RECT, 4> borderStrips(const RECT& rect, int thickness) {
    const int height = std::max(0, static_cast<int>(rect.bottom - rect.top));
    const int width = std::max(0, static_cast<int>(rect.right - rect.left));
    const int top = std::clamp(thickness, 0, (height + 1) / 2);
    const int bottom = std::clamp(thickness, 0, height - top);
    const int left = std::clamp(thickness, 0, (width + 1) / 2);
    const int right = std::clamp(thickness, 0, width - left);
    return {RECT{rect.left, rect.top, rect.right, rect.top + top},
            RECT{rect.left, rect.bottom - bottom, rect.right, rect.bottom},
            RECT{rect.left, rect.top + top, rect.left + left, rect.bottom - bottom},
            RECT{rect.right - right, rect.top + top, rect.right, rect.bottom - bottom}};
}

// The quadrilateral a line `thickness` pixels wide covers, for a fill with the top-left rule. A line more across
// than down grows by rows, any other by columns, half the extra width before it, so a horizontal line from x1 to x2
// at y covers columns x1 .. x2 - 1 and, at thickness 1, the row a one-pixel pen draws.
inline std::array<POINT, 4> lineBand(POINT from, POINT to, int thickness) {
    const int width = std::max(thickness, 1);
    const LONG before = -((width - 1) / 2);
    const LONG after = before + width;
    const bool flat = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    const auto shifted = [flat](POINT point, LONG by) {
        return flat ? POINT{point.x, point.y + by} : POINT{point.x + by, point.y};
    };
    return {shifted(from, before), shifted(to, before), shifted(to, after), shifted(from, after)};
}

// The packed colour as a COLORREF; a system colour is looked up by its index.
inline COLORREF colorRef(Colour colour) {
    return isSystemColour(colour) ? GetSysColor(static_cast<int>(colour & 0xFF)) : static_cast<COLORREF>(colour);
}

}  // namespace zantiro::forms::win32
