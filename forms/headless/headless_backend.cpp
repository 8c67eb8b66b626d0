// The virtual clock and the rule-based label measure of the screenless backend.
#include "forms/headless/headless_backend.h"

#include <cmath>

#include "forms/units.h"

namespace zantiro::forms::headless {
namespace {

constexpr std::int64_t kNever = INT64_MAX;

// Cell widths in pixels at 96 dpi for half-width and full-width characters, per point size of the bold face.
struct Cells {
    float points;
    int half;
    int full;
};
constexpr Cells kCells[] = {{72, 49, 98}, {12, 9, 17}, {10.5f, 7, 14}};

}  // namespace

float measureCaptionTwips(const std::string& caption, const Font& font, int dpi) {
    Cells cells{font.points, static_cast<int>(std::lround(font.points * 0.68)), static_cast<int>(font.points * 4 / 3)};
    for (const Cells& known : kCells) {
        if (known.points == font.points) {
            cells = known;
        }
    }
    int pixels96 = 0;
    for (std::size_t i = 0; i < caption.size();) {
        const auto lead = static_cast<unsigned char>(caption[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        pixels96 += length == 1 ? cells.half : cells.full;
        i += length;
    }
    const int pixels = designPixelsAt(pixels96, dpi);
    return pixelsToTwips(pixels, dpi);
}

HeadlessBackend::HeadlessBackend(Window& window) : window_(window) {
    window.setTextMeasure(this);
    for (Control* control : window.controls()) {
        if (auto* timer = dynamic_cast<Timer*>(control)) {
            timers_.push_back({timer, kNever});
            arm(timers_.back());
        } else if (auto* label = dynamic_cast<Label*>(control)) {
            measure(*label);
        }
    }
    window.attach(this);
}

HeadlessBackend::~HeadlessBackend() {
    window_.attach(nullptr);
    window_.setTextMeasure(nullptr);
}

void HeadlessBackend::controlChanged(Control& control, Property property) {
    if (property == Property::Scale) {
        measureLabels();
        return;
    }
    if (property == Property::Caption) {
        if (auto* label = dynamic_cast<Label*>(&control)) {
            measure(*label);
        }
        return;
    }
    if (property != Property::Enabled && property != Property::Interval) {
        return;
    }
    for (Scheduled& scheduled : timers_) {
        if (scheduled.timer == &control) {
            arm(scheduled);
        }
    }
}

void HeadlessBackend::changeDpi(int dpi, const PixelRect& suggested) {
    window_.setDpi(dpi);
    window_.placedAt(suggested);
    measureLabels();
    window_.dpiChanged();
}

void HeadlessBackend::measureLabels() {
    for (Control* control : window_.controls()) {
        if (auto* label = dynamic_cast<Label*>(control)) {
            measure(*label);
        }
    }
}

void HeadlessBackend::arm(Scheduled& scheduled) {
    scheduled.due = scheduled.timer->running() ? nowMs_ + scheduled.timer->firstTickIn() : kNever;
}

HeadlessBackend::Scheduled* HeadlessBackend::nextDue() {
    Scheduled* next = nullptr;
    for (Scheduled& scheduled : timers_) {
        if (scheduled.due != kNever && (next == nullptr || scheduled.due < next->due)) {
            next = &scheduled;
        }
    }
    return next;
}

bool HeadlessBackend::fireNextTick() {
    Scheduled* next = nextDue();
    if (next == nullptr) {
        return false;
    }
    nowMs_ = next->due;
    next->due += next->timer->interval();  // the grid; a handler that restarts the timer re-arms it
    if (next->timer->onTick) {
        next->timer->onTick();
    }
    return true;
}

void HeadlessBackend::advance(std::int64_t milliseconds) {
    const std::int64_t target = nowMs_ + milliseconds;
    for (Scheduled* next = nextDue(); next != nullptr && next->due <= target; next = nextDue()) {
        fireNextTick();
    }
    nowMs_ = target;
}

float HeadlessBackend::textWidthTwips(const std::string& text, const Font& font) {
    return measureCaptionTwips(text, font, window_.dpi());
}

void HeadlessBackend::measure(Label& label) {
    label.setMeasuredSize(textWidthTwips(label.caption(), label.font()), label.height());
}

}  // namespace zantiro::forms::headless
