// Choosing what to count, the ticks with the countdown's milestones and the flashing, and a minute more or less.
#include <algorithm>
#include <limits>

#include "core/presets.h"
#include "core/timer_model.h"

namespace zantiro::core {
namespace {

constexpr std::int32_t kHourSeconds = 3600;
constexpr std::string_view kHoursAdvice = "超过 60 分钟：功能 → 显示小时";

std::int32_t toCount(std::int64_t seconds) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void TimerModel::countUp() {
    s_.mode = Mode::CountUp;
    s_.shownSeconds = 0;
}

void TimerModel::choosePreset(std::size_t index) {
    s_.mode = Mode::Preset;
    s_.preset = index;
    s_.countdownSeconds = kPresets[index].seconds;
    s_.shownSeconds = s_.countdownSeconds;
}

// A length of an hour or more shows only its minutes and seconds while the hours are hidden: the notice says so.
void TimerModel::chooseCustomLength(const CustomLength& length) {
    s_.mode = Mode::Custom;
    s_.customMinutes = length.minutes;
    s_.countdownSeconds = length.seconds;
    s_.shownSeconds = s_.countdownSeconds;
    if (!s_.hoursShown && s_.countdownSeconds >= kHourSeconds) {
        emit(Event::Kind::Notice, kHoursAdvice);
    }
}

void TimerModel::chooseCountdown(const CustomLength& length) {
    if (const auto preset = presetOfMinutes(length.minutes)) {
        choosePreset(*preset);
    } else {
        chooseCustomLength(length);
    }
}

void TimerModel::countdownTo(ClockTime endTime) {
    s_.mode = Mode::EndTime;
    s_.endTime = endTime;
    startTowardsEndTime();
    showHoursWhenLong();
}

// The count is whole seconds to the end time from the clock's last full second, and the first tick comes with the
// clock's next second: the count reaches 0 as the clock shows the end time.
void TimerModel::startTowardsEndTime() {
    const TimeOfDay now = clock_.timeOfDay();
    s_.countdownSeconds = secondsUntil(now, s_.endTime);
    s_.shownSeconds = s_.countdownSeconds;
    enter(RunState::Running);
    s_.firstTickInMs = millisecondsToNextSecond(now);
}

// A countdown that became an hour or longer without a length typed in shows the hours, so it never reads as a few
// minutes.
void TimerModel::showHoursWhenLong() {
    if (s_.countdownSeconds >= kHourSeconds) {
        s_.hoursShown = true;
    }
}

void TimerModel::addMinutes(int minutes) {
    if (s_.run != RunState::Running && s_.run != RunState::Paused) {
        return;
    }
    const std::int64_t change = 60LL * minutes;
    if (s_.mode == Mode::CountUp) {
        s_.elapsedSeconds = toCount(std::max<std::int64_t>(s_.elapsedSeconds + change, 0));
        s_.shownSeconds = s_.elapsedSeconds;
        return;
    }
    const std::int32_t before = s_.countdownSeconds;
    std::int64_t after = before + change;
    if (after < 1) {
        after = std::min(before, 1);  // the next tick ends it, showing 00:00 as a countdown's end does
    }
    s_.countdownSeconds = toCount(after);
    s_.shownSeconds = s_.countdownSeconds;
    // More time takes the frame back to the stage of the time now left, so the milestones come again at their
    // ticks; less time takes it on to that stage at once (the warning sound belongs to the tick at 30 alone).
    const FrameStage now = stageAt(s_.countdownSeconds);
    reachStage(s_.countdownSeconds > before ? std::min(s_.frame, now) : std::max(s_.frame, now));
    showHoursWhenLong();
}

void TimerModel::countUpTick() {
    // The count stops at its limit rather than wrap; the display keeps the last value.
    if (s_.elapsedSeconds == std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    s_.elapsedSeconds += 1;
    s_.shownSeconds = s_.elapsedSeconds;
}

void TimerModel::countdownTick() {
    if (s_.pastZero) {
        tickPastZero();
        return;
    }
    if (s_.countdownSeconds != std::numeric_limits<std::int32_t>::min()) {
        s_.countdownSeconds -= 1;
    }
    const std::int32_t left = s_.countdownSeconds;
    if (left <= 0) {
        enter(RunState::Finished);  // the flashing starts, pause is no longer offered
        ring();
    }
    s_.shownSeconds = left;
    const Milestone* milestone = milestoneAt(left);
    if (left <= kMilestones.back().secondsLeft) {
        s_.frame = FrameStage::LastSeconds;
        s_.frameColour = randomPaletteColour(random_);
    } else if (milestone != nullptr) {
        if (milestone->warningSound && s_.soundOn) {
            emit(Event::Kind::PlayWarning);
        }
        reachStage(milestone->stage);
    }
    if (milestone != nullptr) {
        emit(Event::Kind::Announce, milestone->announcement);
    } else if (left <= 0) {
        emit(Event::Kind::Announce, s_.overtimeOn ? kTimeIsUpCountingOn : kTimeIsUp);
    }
    if (left <= 0 && s_.overtimeOn) {
        passZero(left);
    }
}

// 超时计时: the end as without it (the bell, the frame's colours, pause no longer offered), but the tick source
// keeps its grid and the digits, which no longer flash, count the seconds since zero.
void TimerModel::passZero(std::int32_t left) {
    s_.pastZero = true;
    s_.shownSeconds =
        left == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max() : -left;
    s_.digitsHidden = false;
}

// Silent: the frame's flashing says the time is up. An hour past zero shows the hours by itself.
void TimerModel::tickPastZero() {
    if (s_.shownSeconds != std::numeric_limits<std::int32_t>::max()) {
        s_.shownSeconds += 1;
    }
    if (s_.shownSeconds >= kHourSeconds) {
        s_.hoursShown = true;
    }
}

// Twice a second: a new random colour, and the digits hidden and shown in turn.
void TimerModel::flashTick() {
    s_.frameColour = randomColour(random_);
    s_.digitsHidden = !s_.digitsHidden && !s_.pastZero;  // counting past zero, the digits stay readable
    constexpr int kLongestRing = 10 * 60 * 2;            // ten minutes in half seconds
    if (s_.ringingHalfSeconds > 0 && ++s_.ringingHalfSeconds > kLongestRing) {
        endRinging();
    }
}

// The frame's colour for a stage it has just reached, from the ticks' milestones and a minute more or less.
void TimerModel::reachStage(FrameStage stage) {
    if (stage == s_.frame) {
        return;
    }
    s_.frame = stage;
    switch (stage) {
        case FrameStage::Plain:
            s_.frameColour = kBlack;
            break;
        case FrameStage::OneMinute:
            s_.frameColour = kYellow;
            break;
        case FrameStage::ThirtySeconds:
            s_.frameColour = kRed;
            break;
        case FrameStage::LastSeconds:
            s_.frameColour = randomPaletteColour(random_);
            break;
    }
}

}  // namespace zantiro::core
