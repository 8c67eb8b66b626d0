// The run state machine (start, stop, pause, resume, reset, the function menu) and the window's settings.
#include "core/timer_model.h"

#include <string>
#include <utility>

#include "core/presets.h"
#include "core/title_text.h"

namespace zantiro::core {

OfferedButtons TimerModel::offered() const {
    const RunState state = s_.run;
    return {.startStop = state != RunState::Stopped,
            .pauseResume = state == RunState::Running || state == RunState::Paused,
            .reset = state == RunState::Stopped || (state == RunState::Ready && s_.resetOffered),
            .functionMenu = !isRunInProgress(state)};
}

std::vector<Event> TimerModel::takeEvents() {
    return std::exchange(events_, {});
}

void TimerModel::emit(Event::Kind kind, std::string_view text) {
    events_.push_back({kind, text});
}

void TimerModel::enter(RunState state) {
    s_.run = state;
    s_.firstTickInMs = 0;
    if (state == RunState::Running || state == RunState::Paused) {
        s_.pauseOffersResume = state == RunState::Paused;
    }
}

void TimerModel::startOrStop() {
    if (isRunInProgress(s_.run)) {
        if (s_.pastZero) {
            s_.pastZero = false;
            s_.shownSeconds = 0;  // what the digits showed at the end
        }
        s_.elapsedSeconds = 0;
        s_.countdownSeconds = 0;
        s_.frame = FrameStage::Plain;
        enter(RunState::Stopped);
        stopFlashing();
        return;
    }
    if (s_.run == RunState::Stopped) {
        return;  // armed again only by a reset
    }
    if (s_.mode == Mode::EndTime) {
        startTowardsEndTime();  // the same moment again, from the time left now
        return;
    }
    if (s_.mode == Mode::CountUp) {
        s_.elapsedSeconds = 0;
    }
    enter(RunState::Running);
}

void TimerModel::pauseOrResume() {
    if (s_.run == RunState::Running) {
        enter(RunState::Paused);
    } else if (s_.run == RunState::Paused) {
        enter(RunState::Running);
    }
}

void TimerModel::reset() {
    if (isRunInProgress(s_.run)) {
        return;
    }
    switch (s_.mode) {
        case Mode::CountUp:
            s_.elapsedSeconds = 0;
            s_.shownSeconds = 0;
            break;
        case Mode::Preset:
            s_.countdownSeconds = kPresets[s_.preset].seconds;
            break;
        case Mode::Custom:
            // customMinutes only ever holds lengths whose seconds fit.
            s_.countdownSeconds = minutesToSeconds(s_.customMinutes).value_or(0);
            break;
        case Mode::EndTime:
            s_.countdownSeconds = secondsUntil(clock_.timeOfDay(), s_.endTime);
            break;
    }
    if (s_.mode != Mode::CountUp) {
        s_.shownSeconds = s_.countdownSeconds;
    }
    s_.resetOffered = s_.resetOffered || s_.run == RunState::Stopped;
    enter(RunState::Ready);
    s_.frame = FrameStage::Plain;
    stopFlashing();
}

void TimerModel::functionMenuClosed() {
    s_.resetOffered = false;
}

void TimerModel::stopFlashing() {
    s_.digitsHidden = false;
    s_.frameColour = kBlack;
    endRinging();
}

void TimerModel::showHours(bool shown) {
    s_.hoursShown = shown;
}

void TimerModel::setSound(bool on) {
    s_.soundOn = on;
    if (!on) {
        endRinging();
    }
}

void TimerModel::useDefaultBell() {
    s_.fileBell = false;
}

void TimerModel::useFileBell(std::string name) {
    if (!name.empty()) {
        s_.bellName = std::move(name);
    }
    s_.fileBell = !s_.bellName.empty();
}

void TimerModel::setRepeatBell(bool repeat) {
    s_.repeatBell = repeat;
}

// At zero, while the sound is on: once, or again and again until a stop, a reset, the sound switched off or ten
// minutes of ringing (counted in the flashing's half seconds). A chosen file that plays once (up to three minutes)
// ends the same way; the design's short bell, once, is left to end by itself.
void TimerModel::ring() {
    if (!s_.soundOn) {
        return;
    }
    emit(Event::Kind::PlayBell);
    s_.ringingHalfSeconds = s_.repeatBell || s_.fileBell ? 1 : 0;
}

void TimerModel::endRinging() {
    if (s_.ringingHalfSeconds > 0) {
        s_.ringingHalfSeconds = 0;
        emit(Event::Kind::StopBell);
    }
}

void TimerModel::place(std::size_t placement) {
    s_.placement = placement;
    s_.placementChosen = true;
    ++s_.placedTimes;
}

void TimerModel::setTransparency(std::size_t level) {
    s_.transparency = level;
    s_.transparencyChosen = true;
}

void TimerModel::setScale(int percent) {
    s_.scale = percent;
}

void TimerModel::countPastZero(bool on) {
    s_.overtimeOn = on;
}

void TimerModel::setTitle(std::string_view typed) {
    TitleText title = titleText(typed);
    s_.title = std::move(title.text);
    if (title.cut) {
        emit(Event::Kind::Notice, kTitleCut);
    }
}

}  // namespace zantiro::core
