// A countdown to a time of day: asked for in the box, counted to the second the wall clock shows it.
#include "core/timing_engine.h"

namespace zantiro::core {

bool TimingEngine::daoshike_Click() {
    const std::string defaultText = clockTimeText(nextFullHour(regional_.timeOfDay()));
    for (;;) {
        const std::string answer = trimSpaces(inputBox_.ask(kEndTimePrompt, kEndTimeTitle, defaultText));
        if (answer.empty()) {
            return false;  // Cancel, or nothing typed: nothing changes
        }
        if (const std::optional<ClockTime> endTime = parseClockTime(answer)) {
            chooseEndTime(*endTime);
            return true;
        }
    }
}

void TimingEngine::chooseEndTime(ClockTime endTime) {
    model_.endTime = endTime;
    chooseMode(Mode::EndTime);
    startTowardsEndTime();
}

// The count is whole seconds to the end time from the clock's last full second, and the first tick comes with the
// clock's next second: the count reaches 0 as the clock shows the end time.
void TimingEngine::startTowardsEndTime() {
    const forms::TimeOfDay now = regional_.timeOfDay();
    CountdownSeconds = secondsUntil(now, model_.endTime);
    ShowCountdown();
    c_.Timer3.startWithFirstTickIn(millisecondsToNextSecond(now));
    enterState(RunState::Running);
}

}  // namespace zantiro::core
