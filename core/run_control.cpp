// The run state machine: start, stop, pause, resume, reset and the count-up mode.
#include "core/custom_length.h"
#include "core/timing_engine.h"

namespace zantiro::core {

void TimingEngine::Command1_Click() {
    if (c_.menuzheng.checked()) {
        c_.Timer2.setEnabled(true);
        ElapsedSeconds = 0;
        c_.Timer3.setEnabled(false);
    } else {
        c_.Timer3.setEnabled(true);
        c_.Timer2.setEnabled(false);
    }
    c_.Command2.setEnabled(true);
    if (c_.Command1.caption() == kStartCaption) {
        c_.Command1.setCaption(std::string(kStopCaption));
        c_.Command3.setEnabled(false);
        c_.Command2.setCaption(std::string(kPauseCaption));
        c_.Command4.setEnabled(false);
        return;
    }
    c_.Command1.setEnabled(false);
    c_.Command1.setCaption(std::string(kStartCaption));
    c_.Command3.setEnabled(true);
    ElapsedSeconds = 0;
    CountdownSeconds = 0;
    c_.Timer2.setEnabled(false);
    c_.Timer3.setEnabled(false);
    c_.Command2.setEnabled(false);
    c_.Command4.setEnabled(true);
    warnings_.StopFlashing();
}

void TimingEngine::Command2_Click() {
    c_.Command2.setCaption(std::string(c_.Command2.caption() == kPauseCaption ? kResumeCaption : kPauseCaption));
    if (c_.menuzheng.checked()) {
        c_.Timer2.setEnabled(!c_.Timer2.enabled());
        c_.Timer3.setEnabled(false);
    } else {
        c_.Timer3.setEnabled(!c_.Timer3.enabled());
        c_.Timer2.setEnabled(false);
    }
}

void TimingEngine::reset() {
    if (c_.menuzheng.checked()) {
        c_.Label1.setCaption("00");
        c_.Label3.setCaption("00");
        c_.Label4.setCaption("00");
        ElapsedSeconds = 0;
    } else {
        // Each checked preset is looked at in menu order; exactly one is checked.
        for (const FixedPreset& preset : fixedPresets()) {
            if (preset.item.checked()) {
                showWholeMinutes(preset.minutesText);
                CountdownSeconds = preset.seconds;
            }
        }
        if (c_.daodiy.checked()) {
            // CustomMinutes only ever holds lengths whose seconds fit.
            CountdownSeconds = minutesToSeconds(CustomMinutes).value_or(0);
            ShowCountdown();
        }
    }
    c_.Command1.setEnabled(true);
    warnings_.StopFlashing();
}

void TimingEngine::menuzheng_Click() {
    checkCountdownItem(nullptr);
    c_.menuzheng.setChecked(true);
    c_.Label1.setCaption("00");
    c_.Label3.setCaption("00");
    c_.Label4.setCaption("00");
}

}  // namespace zantiro::core
