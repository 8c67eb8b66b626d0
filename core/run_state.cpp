// The run state as the buttons and the tick sources show it.
#include "core/timing_engine.h"

namespace zantiro::core {

OfferedButtons TimingEngine::offered() const {
    const RunState state = model_.state;
    return {.startStop = state != RunState::Stopped,
            .pauseResume = state == RunState::Running || state == RunState::Paused,
            .reset = state == RunState::Stopped || (state == RunState::Ready && model_.resetOffered),
            .functionMenu = !isRunInProgress(state)};
}

void TimingEngine::enterState(RunState state) {
    model_.state = state;
    showRunState();
}

void TimingEngine::showRunState() {
    const RunState state = model_.state;
    const bool counting = state == RunState::Running;
    const bool countUp = model_.mode == Mode::CountUp;
    c_.Timer2.setEnabled(counting && countUp);
    c_.Timer3.setEnabled(counting && !countUp);
    c_.Timer4.setEnabled(state == RunState::Finished);

    const OfferedButtons on = offered();
    c_.Command1.setCaption(std::string(isRunInProgress(state) ? kStopCaption : kStartCaption));
    c_.Command1.setEnabled(on.startStop);
    // Outside a run the pause button keeps the word it last showed.
    if (state == RunState::Running || state == RunState::Paused) {
        c_.Command2.setCaption(std::string(state == RunState::Paused ? kResumeCaption : kPauseCaption));
    }
    c_.Command2.setEnabled(on.pauseResume);
    c_.Command3.setEnabled(on.reset);
    c_.Command4.setEnabled(on.functionMenu);
}

}  // namespace zantiro::core
