// The top-level window of the forms layer: outer geometry in twips that reads back in whole pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/controls.h"
#include "forms/units.h"

namespace zantiro::forms {

using WindowHandle = std::uintptr_t;

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// Text the window paints itself, read by a screen reader as one element: the labels' captions joined in order.
struct ReadableText {
    std::vector<const Label*> labels;  // not owned
};

class Window final : public Control {
public:
    Window(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }

    // The window system keeps whole pixels, so a size or place set in twips reads back rounded.
    float left() const { return pixelsToTwips(rect_.left, dpi_); }
    float top() const { return pixelsToTwips(rect_.top, dpi_); }
    float width() const { return pixelsToTwips(rect_.width, dpi_); }
    float height() const { return pixelsToTwips(rect_.height, dpi_); }
    void setLeft(float twips) { setPixels(rect_.left, twips); }
    void setTop(float twips) { setPixels(rect_.top, twips); }
    void setWidth(float twips) { setPixels(rect_.width, twips); }
    void setHeight(float twips) { setPixels(rect_.height, twips); }
    const PixelRect& pixels() const { return rect_; }

    // The backend reports what the window system did on its own: a drag, a DPI change.
    void movedTo(int leftPx, int topPx) { placedAt(PixelRect{leftPx, topPx, rect_.width, rect_.height}); }
    void placedAt(const PixelRect& rect) { rect_ = rect; }
    int dpi() const { return dpi_; }
    void setDpi(int dpi) { dpi_ = dpi; }

    WindowHandle hWnd() const { return handle_; }
    void setHandle(WindowHandle handle) { handle_ = handle; }

    void addControl(Control& control) { controls_.push_back(&control); }
    const std::vector<Control*>& controls() const { return controls_; }
    void addReadableText(ReadableText text) { readableTexts_.push_back(std::move(text)); }
    const std::vector<ReadableText>& readableTexts() const { return readableTexts_; }
    void attach(ControlObserver* observer) {
        setObserver(observer);
        for (Control* control : controls_) {
            control->setObserver(observer);
        }
    }

    // Unloading runs the unload handling, which ends the program.
    void unload() {
        if (onUnload) {
            onUnload();
        }
    }

    // The backend has taken the window to a screen of another DPI: it holds its new pixel rectangle, and the
    // labels are measured in the fonts of that DPI.
    void dpiChanged() {
        if (onDpiChanged) {
            onDpiChanged();
        }
    }

    void displayChanged() {
        if (onDisplayChange) {
            onDisplayChange();
        }
    }

    std::function<void(int button, int shift, float x, float y)> onMouseMove;
    std::function<void()> onUnload;
    std::function<void()> onDpiChanged;
    std::function<void()> onDisplayChange;  // a monitor came or went, or changed its size

private:
    void setPixels(int& field, float twips) {
        field = twipsToPixels(twips, dpi_);
        changed(Property::Geometry);
    }

    std::string caption_;
    PixelRect rect_;
    int dpi_ = kDesignDpi;
    WindowHandle handle_ = 0;
    std::vector<Control*> controls_;  // not owned
    std::vector<ReadableText> readableTexts_;
};

}  // namespace zantiro::forms
