// The run state machine: start, stop, pause, resume, reset and the count-up mode.
#include "core/custom_length.h"
#include "core/timing_engine.h"

namespace zantiro::core {

void TimingEngine::Command1_Click() {
    if (isRunInProgress(model_.state)) {
        ElapsedSeconds = 0;
        CountdownSeconds = 0;
        model_.frame = FrameStage::Plain;
        enterState(RunState::Stopped);
        warnings_.StopFlashing();
        return;
    }
    if (model_.mode == Mode::EndTime) {
        startTowardsEndTime();  // the same moment again, from the time left now
        return;
    }
    if (model_.mode == Mode::CountUp) {
        ElapsedSeconds = 0;
    }
    enterState(RunState::Running);
}

// Resuming enables the tick source again, whose first tick comes a full second later.
void TimingEngine::Command2_Click() {
    if (model_.state == RunState::Running) {
        enterState(RunState::Paused);
    } else if (model_.state == RunState::Paused) {
        enterState(RunState::Running);
    }
}

// Offered only while no run is in progress; 复 位 stays offered after it.
void TimingEngine::reset() {
    if (model_.mode == Mode::CountUp) {
        c_.Label1.setCaption("00");
        c_.Label3.setCaption("00");
        c_.Label4.setCaption("00");
        ElapsedSeconds = 0;
    } else if (model_.mode == Mode::EndTime) {
        CountdownSeconds = secondsUntil(regional_.timeOfDay(), model_.endTime);
        ShowCountdown();
    } else if (model_.mode == Mode::Custom) {
        // CustomMinutes only ever holds lengths whose seconds fit.
        CountdownSeconds = minutesToSeconds(CustomMinutes).value_or(0);
        ShowCountdown();
    } else {
        for (const FixedPreset& preset : fixedPresets()) {
            if (preset.mode == model_.mode) {
                showWholeMinutes(preset.minutesText);
                CountdownSeconds = preset.seconds;
            }
        }
    }
    if (!isRunInProgress(model_.state)) {
        model_.resetOffered = model_.resetOffered || model_.state == RunState::Stopped;
        enterState(RunState::Ready);
    }
    model_.frame = FrameStage::Plain;
    warnings_.StopFlashing();
}

void TimingEngine::functionMenuClosed() {
    model_.resetOffered = false;
    showRunState();
}

void TimingEngine::menuzheng_Click() {
    chooseMode(Mode::CountUp);
    c_.Label1.setCaption("00");
    c_.Label3.setCaption("00");
    c_.Label4.setCaption("00");
}

}  // namespace zantiro::core
