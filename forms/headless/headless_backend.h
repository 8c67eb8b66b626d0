// The screenless backend: a virtual clock that fires the window's timers, and labels measured by rule.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/controls.h"
#include "forms/window.h"

namespace zantiro::forms::headless {

// Labels measure as the design's bold 宋体 does at 96 dpi: equal-width digits, full-width Chinese.
float measureCaptionTwips(const std::string& caption, const Font& font, int dpi);

class HeadlessBackend final : public ControlObserver, public TextMeasure {
public:
    explicit HeadlessBackend(Window& window);
    ~HeadlessBackend();
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    void controlChanged(Control& control, Property property) override;
    float textWidthTwips(const std::string& text, const Font& font) override;

    std::int64_t now() const { return nowMs_; }
    // Fires every tick that falls due up to now + milliseconds, in time order; timers due at the same moment fire
    // in the order of the design. A handler that stops or starts a timer takes effect for the ticks after it.
    void advance(std::int64_t milliseconds);
    // Moves the clock to the next due tick and fires it; false when no timer runs.
    bool fireNextTick();
    // As the window system takes the window to a screen of another DPI: the suggested rectangle, the labels
    // measured anew, then the window's DPI-change event.
    void changeDpi(int dpi, const PixelRect& suggested);

private:
    struct Scheduled {
        Timer* timer;
        std::int64_t due;
    };
    void arm(Scheduled& scheduled);
    Scheduled* nextDue();
    void measure(Label& label);
    void measureLabels();

    Window& window_;
    std::vector<Scheduled> timers_;
    std::int64_t nowMs_ = 0;
};

}  // namespace zantiro::forms::headless
