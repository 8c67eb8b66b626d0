// The top-level window of the forms layer: outer geometry in twips that reads back in whole pixels.
#pragma once

#include <cstddef>
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

// Text the window paints itself, read by a screen reader as one element: the prefix, then the labels' captions
// joined in order.
struct ReadableText {
    std::vector<const Label*> labels;  // not owned; the first places the text in the tab order
    std::string prefix{};              // "超时 " before the digits
    bool captionsRead = true;          // false: the prefix alone, where the label paints it shortened
};

// What a backend knows of text: its width in a font at the window's DPI, in twips. The layout asks it for the
// figures it computes with, rather than reading them back from the labels the backend sizes.
class TextMeasure {
public:
    virtual float textWidthTwips(const std::string& text, const Font& font) = 0;

protected:
    ~TextMeasure() = default;
};

class Window final : public Control {
public:
    Window(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    // What the taskbar, Alt+Tab and a screen reader name the window.
    void setCaption(std::string caption) {
        if (caption != caption_) {
            caption_ = std::move(caption);
            changed(Property::Caption);
        }
    }

    // The window system keeps whole pixels, so a size or place set in twips reads back rounded.
    float left() const { return pixelsToTwips(rect_.left, dpi()); }
    float top() const { return pixelsToTwips(rect_.top, dpi()); }
    float width() const { return pixelsToTwips(rect_.width, dpi()); }
    float height() const { return pixelsToTwips(rect_.height, dpi()); }
    void setLeft(float twips) { setPixels(rect_.left, twips); }
    void setTop(float twips) { setPixels(rect_.top, twips); }
    void setWidth(float twips) { setPixels(rect_.width, twips); }
    void setHeight(float twips) { setPixels(rect_.height, twips); }
    // Place and size at once: one move on the screen instead of four.
    void setBounds(float left, float top, float width, float height) {
        rect_ = PixelRect{twipsToPixels(left, dpi()), twipsToPixels(top, dpi()), twipsToPixels(width, dpi()),
                          twipsToPixels(height, dpi())};
        changed(Property::Geometry);
    }
    const PixelRect& pixels() const { return rect_; }

    // The backend reports what the window system did on its own: a drag, a DPI change.
    void movedTo(int leftPx, int topPx) { placedAt(PixelRect{leftPx, topPx, rect_.width, rect_.height}); }
    void placedAt(const PixelRect& rect) { rect_ = rect; }
    // The DPI the window is drawn at: its monitor's, times the user's scale. Twips convert with it.
    int dpi() const { return scaledDpi(monitorDpi_, scale_); }
    int monitorDpi() const { return monitorDpi_; }
    void setDpi(int monitorDpi) { monitorDpi_ = monitorDpi; }  // the backend, for the monitor the window is on
    // Per cent on top of the monitor's scale, 100 and up: the window is drawn as at that much of its DPI. The
    // backend remakes fonts, picture and measures; the caller sets the size and place anew.
    int scale() const { return scale_; }
    void setScale(int percent) {
        scale_ = percent;
        changed(Property::Scale);
    }

    void setTextMeasure(TextMeasure* measure) { measure_ = measure; }  // the backend, while it shows the window
    float textWidth(const std::string& text, const Font& font) const {
        return measure_ != nullptr ? measure_->textWidthTwips(text, font) : 0;
    }

    WindowHandle hWnd() const { return handle_; }
    void setHandle(WindowHandle handle) { handle_ = handle; }

    void addControl(Control& control) { controls_.push_back(&control); }
    const std::vector<Control*>& controls() const { return controls_; }
    void addReadableText(ReadableText text) { readableTexts_.push_back(std::move(text)); }
    // Another set of labels for the text at `index` (as added), read from the next question on.
    void setReadableText(std::size_t index, ReadableText text) { readableTexts_.at(index) = std::move(text); }
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
    // Whole notches, away from the user positive; shift as for mouse moves (2 is Ctrl).
    std::function<void(int notches, int shift)> onMouseWheel;
    std::function<void()> onUnload;
    std::function<void()> onDpiChanged;
    std::function<void()> onDisplayChange;  // a monitor came or went, or changed its size

private:
    void setPixels(int& field, float twips) {
        field = twipsToPixels(twips, dpi());
        changed(Property::Geometry);
    }

    std::string caption_;
    PixelRect rect_;
    int monitorDpi_ = kDesignDpi;
    int scale_ = 100;
    WindowHandle handle_ = 0;
    std::vector<Control*> controls_;  // not owned
    TextMeasure* measure_ = nullptr;  // not owned
    std::vector<ReadableText> readableTexts_;
};

}  // namespace zantiro::forms
