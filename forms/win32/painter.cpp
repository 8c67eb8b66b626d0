// Back-buffered painting: picture, frames, lines and labels, clipped to the dirty region.
#include "forms/win32/painter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "forms/units.h"
#include "forms/win32/dib_section.h"
#include "forms/win32/layout.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

// The stock DC brush and pen take a colour per call, so painting creates no GDI objects.
void fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Border only: the interior lets the background show through.
void drawShape(HDC dc, const Shape& shape, int dpi) {
    const COLORREF colour = colorRef(shape.borderColour());
    for (const RECT& strip : borderStrips(pixelRect(shape, dpi), designPixelsAt(shape.borderWidth(), dpi))) {
        if (strip.right > strip.left && strip.bottom > strip.top) {
            fill(dc, strip, colour);
        }
    }
}

// Filled rather than stroked: the stock DC pen is one pixel wide, and a wider one would be a GDI object per paint.
void drawLine(HDC dc, const Line& line, int dpi) {
    const Line::Design& at = line.geometry();
    const std::array<POINT, 4> band =
        lineBand(POINT{twipsToPixels(at.x1, dpi), twipsToPixels(at.y1, dpi)},
                 POINT{twipsToPixels(at.x2, dpi), twipsToPixels(at.y2, dpi)}, designPixelsAt(at.borderWidth, dpi));
    const ScopedSelect pen(dc, GetStockObject(NULL_PEN));
    const ScopedSelect brush(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, colorRef(at.colour));
    Polygon(dc, band.data(), static_cast<int>(band.size()));
}

void drawLabel(HDC dc, const Label& label, FontCache& fonts, int dpi) {
    const RECT rect = pixelRect(label, dpi);
    if (!RectVisible(dc, &rect)) {
        return;
    }
    const ScopedSelect font(dc, fonts.get(label.font()));
    SetTextColor(dc, colorRef(label.foreColour()));
    const std::wstring text = widen(label.caption());
    TextOutW(dc, rect.left, rect.top, text.c_str(), static_cast<int>(text.size()));
}

// The region's rectangles, so that two small changes far apart (the seconds and the clock, changed in one
// wake-up) are copied without everything between them; the box when there is no region.
std::vector<RECT> rectanglesOf(HRGN region, const RECT& box) {
    const DWORD size = region != nullptr ? GetRegionData(region, 0, nullptr) : 0;
    std::vector<RECT> rects;
    if (size >= sizeof(RGNDATAHEADER)) {
        std::vector<std::byte> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (GetRegionData(region, size, data) == size) {
            const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) {
                RECT clipped{};
                if (IntersectRect(&clipped, &first[i], &box)) {
                    rects.push_back(clipped);
                }
            }
            return rects;
        }
    }
    rects.push_back(box);
    return rects;
}

}  // namespace

void Painter::setPicture(Picture picture) {
    source_ = std::move(picture);
    preparePicture();
}

// A window widened for the hours or made taller for a title is larger than the picture; the smaller window paints
// the one set.
void Painter::preparePicture() {
    pictureCanvas_.select(nullptr);
    picture_ = source_.extendedTo(size_);
    pictureCanvas_.select(picture_.bitmap());
}

bool Painter::resize(SIZE client) {
    if (client.cx == size_.cx && client.cy == size_.cy && backBitmap_) {
        return false;
    }
    back_.select(nullptr);
    backBitmap_ = createDibSection(SIZE{std::max<LONG>(client.cx, 1), std::max<LONG>(client.cy, 1)});
    back_.select(backBitmap_.get());
    size_ = client;
    preparePicture();
    return true;
}

long Painter::paint(HDC target, HRGN dirty, const Scene& scene) {
    const HDC dc = back_.dc();
    SelectClipRgn(dc, dirty);
    RECT box{};
    if (GetClipBox(dc, &box) == NULLREGION || !backBitmap_) {
        SelectClipRgn(dc, nullptr);
        return 0;
    }
    drawBackground(dc, box);
    for (const Shape* shape : scene.shapes) {
        drawShape(dc, *shape, scene.dpi);
    }
    for (const Line* line : scene.lines) {
        drawLine(dc, *line, scene.dpi);
    }
    SetBkMode(dc, TRANSPARENT);
    for (const Label* label : scene.labels) {
        if (label->visible()) {
            drawLabel(dc, *label, scene.fonts, scene.dpi);
        }
    }
    SelectClipRgn(dc, nullptr);
    long pixels = 0;
    for (const RECT& rect : rectanglesOf(dirty, box)) {
        BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dc, rect.left, rect.top,
               SRCCOPY);
        pixels += static_cast<long>(rect.right - rect.left) * (rect.bottom - rect.top);
    }
    return pixels;
}

// The picture at the top left, cut off at the edges; the window's face colour beyond it.
void Painter::drawBackground(HDC dc, const RECT& box) const {
    if (!picture_.decoded()) {
        fill(dc, box, kNoPictureFill);
        return;
    }
    const SIZE picture = picture_.size();
    if (box.right > picture.cx || box.bottom > picture.cy) {
        fill(dc, box, GetSysColor(COLOR_BTNFACE));
    }
    BitBlt(dc, 0, 0, picture.cx, picture.cy, pictureCanvas_.dc(), 0, 0, SRCCOPY);
}

}  // namespace zantiro::forms::win32
