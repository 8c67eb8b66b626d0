// Remembers what each painted control last put on screen, so a change invalidates only where the picture differs.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "forms/controls.h"
#include "forms/units.h"
#include "forms/win32/layout.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

class RepaintTracker {
public:
    // Takes the controls as they are now as what the screen shows (after creation, or a full repaint).
    void remember(std::span<Label* const> labels, std::span<Shape* const> shapes, int dpi) {
        labels_.clear();
        for (const Label* label : labels) {
            labels_.push_back(lookOf(*label, dpi));
        }
        shapes_.clear();
        for (const Shape* shape : shapes) {
            shapes_.push_back(lookOf(*shape, dpi));
        }
    }

    // index: the label's place in the list given to remember(). A setter that changed nothing repaints nothing.
    void labelChanged(HWND window, std::size_t index, const Label& label, int dpi) {
        LabelLook now = lookOf(label, dpi);
        LabelLook& was = labels_.at(index);
        if (sameRect(now.rect, was.rect) && now.visible == was.visible && now.colour == was.colour &&
            now.caption == was.caption) {
            return;
        }
        if (was.visible) {
            invalidate(window, was.rect);
        }
        if (now.visible) {
            invalidate(window, now.rect);
        }
        was = std::move(now);
    }

    // Only the border strips: the frame's interior shows the background, which did not change.
    void shapeChanged(HWND window, std::size_t index, const Shape& shape, int dpi) {
        const ShapeLook now = lookOf(shape, dpi);
        ShapeLook& was = shapes_.at(index);
        if (sameRect(now.rect, was.rect) && now.border == was.border && now.colour == was.colour) {
            return;
        }
        for (const ShapeLook* look : {static_cast<const ShapeLook*>(&was), &now}) {
            for (const RECT& strip : borderStrips(look->rect, look->border)) {
                invalidate(window, strip);
            }
        }
        was = now;
    }

private:
    struct LabelLook {
        RECT rect;
        bool visible;
        Colour colour;
        std::string caption;
    };
    struct ShapeLook {
        RECT rect;
        int border;  // pixels at the window's DPI
        Colour colour;
    };

    static LabelLook lookOf(const Label& label, int dpi) {
        return LabelLook{pixelRect(label, dpi), label.visible(), label.foreColour(), label.caption()};
    }
    static ShapeLook lookOf(const Shape& shape, int dpi) {
        return ShapeLook{pixelRect(shape, dpi), designPixelsAt(shape.borderWidth(), dpi), shape.borderColour()};
    }
    static bool sameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
    static void invalidate(HWND window, const RECT& rect) {
        if (window != nullptr && rect.right > rect.left && rect.bottom > rect.top) {
            InvalidateRect(window, &rect, FALSE);
        }
    }

    std::vector<LabelLook> labels_;
    std::vector<ShapeLook> shapes_;
};

}  // namespace zantiro::forms::win32
