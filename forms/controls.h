// The portable controls of the forms layer: the window design's properties, held in the design's units.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/units.h"

namespace zantiro::forms {

// Which property of a control changed; a backend's observer redraws or reschedules only that.
enum class Property {
    Caption,
    Enabled,
    Visible,
    Checked,
    Geometry,
    ForeColour,
    BorderColour,
    BorderWidth,
    Interval,
    Scale  // the window's: everything measured in pixels is made anew at its new DPI
};

class Control;

// A backend listens to the controls it shows. Controls never know what is behind the observer.
class ControlObserver {
public:
    virtual void controlChanged(Control& control, Property property) = 0;

protected:
    ~ControlObserver() = default;
};

struct Font {
    std::string face;
    float points = 0;
    int weight = 400;
    int charset = 0;
};

class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }
    void setObserver(ControlObserver* observer) { observer_ = observer; }

protected:
    void changed(Property property) {
        if (observer_ != nullptr) {
            observer_->controlChanged(*this, property);
        }
    }

private:
    std::string name_;
    ControlObserver* observer_ = nullptr;  // not owned
};

// Setting a property to the value it holds changes nothing and tells no observer: the view writes every property
// from the model after each event, and only what changed reaches the screen.

// A control with a place and a size in twips, held in its design `D` (fields left, top, width and height).
template <typename D>
class PlacedControl : public Control {
public:
    using Design = D;

    PlacedControl(std::string name, Design design) : Control(std::move(name)), d_(std::move(design)) {}

    float left() const { return d_.left; }
    float top() const { return d_.top; }
    float width() const { return d_.width; }
    float height() const { return d_.height; }

protected:
    void setGeometry(float& field, float twips) {
        field = twips;
        changed(Property::Geometry);
    }

    Design d_;
};

// What the design of every control with a caption begins with.
struct CaptionedDesign {
    std::string caption;
    float left = 0, top = 0, width = 0, height = 0;
    const Font* font = nullptr;
};

// A placed control with a caption in a font, and a place in the tab order.
template <typename D>
class CaptionedControl : public PlacedControl<D> {
public:
    using PlacedControl<D>::PlacedControl;

    const std::string& caption() const { return this->d_.caption; }
    void setCaption(std::string caption) {
        if (caption == this->d_.caption) {
            return;
        }
        this->d_.caption = std::move(caption);
        this->changed(Property::Caption);
    }
    const Font& font() const { return *this->d_.font; }
    int tabIndex() const { return this->d_.tabIndex; }
};

struct LabelDesign : CaptionedDesign {
    bool visible = true;
    int tabIndex = 0;
};

// A caption that sizes itself: the backend measures it and reports the width back.
class Label final : public CaptionedControl<LabelDesign> {
public:
    using MouseMoveHandler = std::function<void(int button, int shift, float x, float y)>;

    using CaptionedControl::CaptionedControl;

    void setLeft(float twips) { setGeometry(d_.left, twips); }
    void setTop(float twips) { setGeometry(d_.top, twips); }
    // Auto-size: only the backend that measured the caption sets the extent.
    void setMeasuredSize(float widthTwips, float heightTwips) {
        d_.width = widthTwips;
        d_.height = heightTwips;
    }
    bool visible() const { return d_.visible; }
    void setVisible(bool visible) {
        if (visible == d_.visible) {
            return;
        }
        d_.visible = visible;
        changed(Property::Visible);
    }
    Colour foreColour() const { return foreColour_; }
    void setForeColour(Colour colour) {
        if (colour == foreColour_) {
            return;
        }
        foreColour_ = colour;
        changed(Property::ForeColour);
    }

    MouseMoveHandler onMouseMove;

private:
    Colour foreColour_ = kButtonTextColour;
};

struct CommandButtonDesign : CaptionedDesign {
    bool enabled = true;
    int tabIndex = 0;
};

class CommandButton final : public CaptionedControl<CommandButtonDesign> {
public:
    using CaptionedControl::CaptionedControl;

    bool enabled() const { return d_.enabled; }
    void setEnabled(bool enabled) {
        if (enabled == d_.enabled) {
            return;
        }
        d_.enabled = enabled;
        changed(Property::Enabled);
    }
    void setTop(float twips) {
        if (twips != d_.top) {
            setGeometry(d_.top, twips);
        }
    }
    std::function<void()> onClick;
};

struct ShapeDesign {
    float left = 0, top = 0, width = 0, height = 0;
    int borderWidth = 1;  // pixels at 96 dpi
    Colour borderColour = kWindowTextColour;
};

// A rectangle drawn as a border only; its interior lets the background show.
class Shape final : public PlacedControl<ShapeDesign> {
public:
    using PlacedControl::PlacedControl;

    void setLeft(float twips) { setGeometry(d_.left, twips); }
    void setTop(float twips) { setGeometry(d_.top, twips); }
    void setWidth(float twips) { setGeometry(d_.width, twips); }
    void setHeight(float twips) { setGeometry(d_.height, twips); }
    int borderWidth() const { return d_.borderWidth; }
    void setBorderWidth(int pixels) {
        d_.borderWidth = pixels;
        changed(Property::BorderWidth);
    }
    Colour borderColour() const { return d_.borderColour; }
    void setBorderColour(Colour colour) {
        if (colour == d_.borderColour) {
            return;
        }
        d_.borderColour = colour;
        changed(Property::BorderColour);
    }
};

class Line final : public Control {
public:
    struct Design {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int borderWidth = 1;  // pixels at 96 dpi
        Colour colour = kWindowTextColour;
    };

    Line(std::string name, Design design) : Control(std::move(name)), d_(design) {}

    const Design& geometry() const { return d_; }
    void setX2(float twips) {
        d_.x2 = twips;
        changed(Property::Geometry);
    }
    // Both ends at `twips` from the top: a level rule moved up or down.
    void setY(float twips) {
        if (twips != d_.y1 || twips != d_.y2) {
            d_.y1 = twips;
            d_.y2 = twips;
            changed(Property::Geometry);
        }
    }

private:
    Design d_;
};

// A window timer. Enabling a stopped timer, or giving a running one a new interval, starts a full interval.
class Timer final : public Control {
public:
    Timer(std::string name, int intervalMs, bool enabled)
        : Control(std::move(name)), intervalMs_(intervalMs), enabled_(enabled) {}

    int interval() const { return intervalMs_; }
    void setInterval(int milliseconds) {
        intervalMs_ = milliseconds;
        changed(Property::Interval);
    }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        if (enabled_ != enabled) {
            enabled_ = enabled;
            changed(Property::Enabled);
        }
    }
    // An interval of 0 never fires.
    bool running() const { return enabled_ && intervalMs_ > 0; }
    // Enables a stopped timer whose first tick comes `milliseconds` after this (0 < milliseconds <= interval), the
    // later ones an interval apart: a countdown laid on the wall clock's seconds.
    void startWithFirstTickIn(int milliseconds) {
        firstTickMs_ = milliseconds;
        setEnabled(true);
        firstTickMs_ = 0;
    }
    // For the backend, as it hears of the enabling: when the first tick is due.
    int firstTickIn() const { return firstTickMs_ > 0 ? firstTickMs_ : intervalMs_; }

    std::function<void()> onTick;

private:
    int intervalMs_;
    bool enabled_;
    int firstTickMs_ = 0;  // only while startWithFirstTickIn notifies
};

class MenuItem final : public Control {
public:
    struct Design {
        std::string caption;
        std::string shortcut;  // shown at the right edge, e.g. "F1"
        bool checked = false;
        bool visible = true;
    };

    MenuItem(std::string name, Design design) : Control(std::move(name)), d_(std::move(design)) {}

    const std::string& caption() const { return d_.caption; }
    void setCaption(std::string caption) {
        if (caption != d_.caption) {
            d_.caption = std::move(caption);
            changed(Property::Caption);
        }
    }
    const std::string& shortcut() const { return d_.shortcut; }
    bool isSeparator() const { return d_.caption == "-"; }
    bool visible() const { return d_.visible; }
    void setVisible(bool visible) {
        if (visible != d_.visible) {
            d_.visible = visible;
            changed(Property::Visible);
        }
    }
    bool checked() const { return d_.checked; }
    void setChecked(bool checked) {
        if (checked == d_.checked) {
            return;
        }
        d_.checked = checked;
        changed(Property::Checked);
    }
    const std::vector<MenuItem*>& items() const { return items_; }
    void setItems(std::vector<MenuItem*> items) { items_ = std::move(items); }  // not owned

    std::function<void()> onClick;

private:
    Design d_;
    std::vector<MenuItem*> items_;
};

}  // namespace zantiro::forms
