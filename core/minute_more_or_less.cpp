// A minute more or less while a run is in progress, and the frame's warnings after such a jump.
#include <algorithm>
#include <limits>

#include "core/timing_engine.h"

namespace zantiro::core {
namespace {

std::int32_t toCount(std::int64_t seconds) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The stage a countdown's frame has reached with this many seconds left, milestones included.
FrameStage stageAt(std::int32_t secondsLeft) {
    return secondsLeft <= 10   ? FrameStage::LastSeconds
           : secondsLeft <= 30 ? FrameStage::ThirtySeconds
           : secondsLeft <= 60 ? FrameStage::OneMinute
                               : FrameStage::Plain;
}

}  // namespace

void TimingEngine::addMinutes(int minutes) {
    if (model_.state != RunState::Running && model_.state != RunState::Paused) {
        return;
    }
    const std::int64_t change = 60LL * minutes;
    if (model_.mode == Mode::CountUp) {
        ElapsedSeconds = toCount(std::max<std::int64_t>(ElapsedSeconds + change, 0));
        showTime(ElapsedSeconds);
        return;
    }
    const std::int32_t before = CountdownSeconds;
    std::int64_t after = before + change;
    if (after < 1) {
        after = std::min(before, 1);  // the next tick ends it, showing 00:00 as a countdown's end does
    }
    CountdownSeconds = toCount(after);
    ShowCountdown();
    // More time takes the frame back to the stage of the time now left, and the milestones come again at their
    // ticks; less time takes it on to that stage at once (the warning sound belongs to the tick at 30 alone).
    const FrameStage now = stageAt(CountdownSeconds);
    showFrameStage(CountdownSeconds > before ? std::min(model_.frame, now) : std::max(model_.frame, now));
}

}  // namespace zantiro::core
