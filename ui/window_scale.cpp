// The window's size: the user's scale on top of the monitor's DPI, in steps for the wheel, never larger than the
// monitor's work area, keeping the point its placement pins.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/window_settings.h"
#include "forms/monitors.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {

constexpr int kControlKey = 2;  // in the mouse events' shift argument

// The edge rounded to a pixel, then pushed between the limits; the low one wins where they cross.
int keepInside(double edge, int low, int high) {
    return std::max(low, std::min(static_cast<int>(std::lround(edge)), high));
}

}  // namespace

void Form1::startAtScale(int percent) {
    model.setScale(fittingScale(percent, forms::workAreaOf(startMonitor())));
    window.setScale(model.state().scale);
}

void Form1::Form_MouseWheel(int notches, int shift) {
    if ((shift & kControlKey) == 0) {
        return;
    }
    act([this, notches] {
        model.setScale(core::scaleAfterNotches(model.state().scale, notches));
        fitScale();
    });
}

forms::TwipsRect Form1::workArea() const {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    return forms::workAreaOf(forms::monitorHolding(window, monitors).value_or(monitors.front()));
}

void Form1::fitScale() {
    model.setScale(fittingScale(model.state().scale, workArea()));
}

// The work area is measured in pixels before the change, since twips grow with the scale.
void Form1::resizeKeepingPin() {
    const forms::TwipsRect work = workArea();
    const int dpiBefore = window.dpi();
    const int workLeft = forms::twipsToPixels(work.left, dpiBefore);
    const int workTop = forms::twipsToPixels(work.top, dpiBefore);
    const int workRight = workLeft + forms::twipsToPixels(work.width, dpiBefore);
    const int workBottom = workTop + forms::twipsToPixels(work.height, dpiBefore);
    const core::TimerState& s = model.state();
    // The centre, unless a placement was chosen.
    const core::Placement pin = s.placementChosen ? core::kPlacements[s.placement] : core::kPlacements.front();
    // The pinned point of the window as it is, or, while it stays where the last step put it, that step's point:
    // halves of pixels would otherwise round the window away, one step after the other.
    const forms::PixelRect& before = window.pixels();
    const bool unmoved = pinned_ && before.left == scaledTo_.left && before.top == scaledTo_.top &&
                         before.width == scaledTo_.width && before.height == scaledTo_.height;
    if (!unmoved || pinned_->across != pin.across || pinned_->down != pin.down) {
        pinned_ = PinnedPoint{pin.across, pin.down, before.left + pin.across * before.width,
                              before.top + pin.down * before.height};
    }

    if (s.scale != window.scale()) {
        window.setScale(s.scale);
    }
    const int dpi = window.dpi();
    const int width = forms::twipsToPixels(windowWidth(), dpi);
    const int height = forms::twipsToPixels(windowHeight(), dpi);
    const int left = keepInside(pinned_->x - pin.across * width, workLeft, workRight - width);
    const int top = keepInside(pinned_->y - pin.down * height, workTop, workBottom - height);
    window.setBounds(forms::pixelsToTwips(left, dpi), forms::pixelsToTwips(top, dpi), windowWidth(), windowHeight());
    scaledTo_ = window.pixels();
    deriveFromSize();
}

// Both margins stay as they are: the window grows by exactly what the row grows by.
float Form1::windowWidth() const {
    const float hours = model.state().hoursShown ? measuredWidth(Label1) + measuredWidth(Label2[0]) : 0;
    return kWindowWidth + hours + (minusShown() ? measuredWidth(Label8) : 0);
}

// `percent` when the window drawn at it fits the work area, else the largest step below that does (at least 100).
int Form1::fittingScale(int percent, const forms::TwipsRect& work) const {
    const int workWidth = forms::twipsToPixels(work.width, window.dpi());
    const int workHeight = forms::twipsToPixels(work.height, window.dpi());
    const auto fits = [&](int candidate) {
        const int dpi = forms::scaledDpi(window.monitorDpi(), candidate);
        return forms::twipsToPixels(windowWidth(), dpi) <= workWidth &&
               forms::twipsToPixels(windowHeight(), dpi) <= workHeight;
    };
    const auto& steps = core::kScaleSteps;
    if (percent <= steps.front() || fits(percent)) {
        return std::max(percent, steps.front());
    }
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (*step < percent && fits(*step)) {
            return *step;
        }
    }
    return steps.front();
}

}  // namespace zantiro::ui
