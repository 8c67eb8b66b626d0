// The window's size: the user's scale on top of the monitor's DPI, in steps for the wheel, never larger than the
// monitor's work area, keeping the point its placement pins.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "forms/monitors.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {

constexpr std::array kScaleSteps{100, 125, 150, 200, 250, 300, 400};
constexpr int kControlKey = 2;  // in the mouse events' shift argument

struct Anchor {
    double across, down;  // 0 the left or top edge, 0.5 the middle, 1 the right or bottom edge
};

// The edge rounded to a pixel, then pushed between the limits; the low one wins where they cross.
int keepInside(double edge, int low, int high) {
    return std::max(low, std::min(static_cast<int>(std::lround(edge)), high));
}

}  // namespace

void Form1::startAtScale(int percent) {
    window.setScale(fittingScale(percent, forms::workAreaOf(startMonitor())));
}

void Form1::Form_MouseWheel(int notches, int shift) {
    if ((shift & kControlKey) == 0) {
        return;
    }
    int percent = window.scale();
    for (; notches > 0; --notches) {
        const auto larger = std::upper_bound(kScaleSteps.begin(), kScaleSteps.end(), percent);
        percent = larger != kScaleSteps.end() ? *larger : kScaleSteps.back();
    }
    for (; notches < 0; ++notches) {
        const auto notSmaller = std::lower_bound(kScaleSteps.begin(), kScaleSteps.end(), percent);
        percent = notSmaller != kScaleSteps.begin() ? *(notSmaller - 1) : kScaleSteps.front();
    }
    rescale(percent);
}

void Form1::rescale(int percent) {
    fitWindow(percent, false);
}

// The work area is measured in pixels before the change, since twips grow with the scale.
void Form1::fitWindow(int percent, bool widthChanged) {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    const forms::TwipsRect work = forms::workAreaOf(forms::monitorHolding(window, monitors).value_or(monitors.front()));
    percent = fittingScale(percent, work);
    if (percent == window.scale() && !widthChanged) {
        return;
    }
    const int dpiBefore = window.dpi();
    const int workLeft = forms::twipsToPixels(work.left, dpiBefore);
    const int workTop = forms::twipsToPixels(work.top, dpiBefore);
    const int workRight = workLeft + forms::twipsToPixels(work.width, dpiBefore);
    const int workBottom = workTop + forms::twipsToPixels(work.height, dpiBefore);
    Anchor anchor{0.5, 0.5};  // the centre, unless a placement item was chosen
    if (placementChosen_) {
        const std::array<std::pair<const MenuItem*, Anchor>, 7> pins{{{&zhong, {0.5, 0.5}},
                                                                      {&di, {0.5, 1}},
                                                                      {&ding, {0.5, 0}},
                                                                      {&youxia, {1, 1}},
                                                                      {&zuoxia, {0, 1}},
                                                                      {&youshang, {1, 0}},
                                                                      {&zuoshang, {0, 0}}}};
        for (const auto& [item, point] : pins) {
            if (item->checked()) {
                anchor = point;
            }
        }
    }
    // The pinned point of the window as it is, or, while it stays where the last step put it, that step's point:
    // halves of pixels would otherwise round the window away, one step after the other.
    const forms::PixelRect& before = window.pixels();
    const bool unmoved = pinned_ && before.left == scaledTo_.left && before.top == scaledTo_.top &&
                         before.width == scaledTo_.width && before.height == scaledTo_.height;
    if (!unmoved || pinned_->across != anchor.across || pinned_->down != anchor.down) {
        pinned_ = PinnedPoint{anchor.across, anchor.down, before.left + anchor.across * before.width,
                              before.top + anchor.down * before.height};
    }

    if (percent != window.scale()) {
        window.setScale(percent);
    }
    const int dpi = window.dpi();
    const int width = forms::twipsToPixels(windowWidth(), dpi);
    const int height = forms::twipsToPixels(kWindowHeight, dpi);
    const int left = keepInside(pinned_->x - anchor.across * width, workLeft, workRight - width);
    const int top = keepInside(pinned_->y - anchor.down * height, workTop, workBottom - height);
    window.setBounds(forms::pixelsToTwips(left, dpi), forms::pixelsToTwips(top, dpi), windowWidth(), kWindowHeight);
    scaledTo_ = window.pixels();
    deriveFromSize();
}

// `percent` when the window drawn at it fits the work area, else the largest step below that does (at least 100).
int Form1::fittingScale(int percent, const forms::TwipsRect& work) const {
    const int workWidth = forms::twipsToPixels(work.width, window.dpi());
    const int workHeight = forms::twipsToPixels(work.height, window.dpi());
    const auto fits = [&](int candidate) {
        const int dpi = forms::scaledDpi(window.monitorDpi(), candidate);
        return forms::twipsToPixels(windowWidth(), dpi) <= workWidth &&
               forms::twipsToPixels(kWindowHeight, dpi) <= workHeight;
    };
    if (percent <= kScaleSteps.front() || fits(percent)) {
        return std::max(percent, kScaleSteps.front());
    }
    for (auto step = kScaleSteps.rbegin(); step != kScaleSteps.rend(); ++step) {
        if (*step < percent && fits(*step)) {
            return *step;
        }
    }
    return kScaleSteps.front();
}

}  // namespace zantiro::ui
