// Paints the window's picture and its painted controls into a back buffer, then copies what changed.
#pragma once

#include <span>

#include "forms/controls.h"
#include "forms/win32/fonts.h"
#include "forms/win32/handles.h"
#include "forms/win32/picture.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// The painted controls, each list in design order; none owned.
struct Scene {
    std::span<Shape* const> shapes;
    std::span<Line* const> lines;
    std::span<Label* const> labels;
    FontCache& fonts;
    int dpi;
};

// Shown instead of the picture when it did not decode.
inline constexpr COLORREF kNoPictureFill = RGB(173, 216, 230);

class Painter {
public:
    // The background as it is drawn, at the window's DPI: painting only copies it, never decodes or scales.
    void setPicture(Picture picture);

    // The back buffer follows the client area; true when its size changed.
    bool resize(SIZE client);
    // Redraws the dirty region (client coordinates; null: everything) of the back buffer and copies it to target.
    // The back buffer keeps the rest from earlier paints. Returns the number of pixels copied.
    long paint(HDC target, HRGN dirty, const Scene& scene);

private:
    void drawBackground(HDC dc, const RECT& box) const;
    // The picture as painted: the one set, extended to the back buffer's width.
    void preparePicture();

    Picture source_;   // as set, at the window's DPI
    Picture picture_;  // as painted
    SIZE size_{0, 0};
    UniqueBitmap backBitmap_;
    MemoryCanvas back_;           // holds backBitmap_; declared after it so it lets go first
    MemoryCanvas pictureCanvas_;  // holds picture_'s bitmap; declared after it so it lets go first
};

}  // namespace zantiro::forms::win32
