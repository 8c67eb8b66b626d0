// The count-up and countdown ticks with the countdown's milestones.
#include <limits>

#include "core/announcements.h"
#include "core/time_display.h"
#include "core/timing_engine.h"

namespace zantiro::core {

void TimingEngine::Timer2_Tick() {
    // The count stops at its limit rather than wrap; the display keeps the last value.
    if (ElapsedSeconds == std::numeric_limits<std::int32_t>::max()) {
        c_.Timer2.setEnabled(false);
        return;
    }
    ElapsedSeconds += 1;
    showTime(ElapsedSeconds);
    c_.Timer3.setEnabled(false);
    if (ElapsedSeconds == std::numeric_limits<std::int32_t>::max()) {
        c_.Timer2.setEnabled(false);
    }
}

void TimingEngine::Timer3_Tick() {
    if (CountdownSeconds != std::numeric_limits<std::int32_t>::min()) {
        CountdownSeconds -= 1;
    }
    if (CountdownSeconds <= 0) {
        enterState(RunState::Finished);  // the flashing starts, pause is no longer offered
        sounds_.PlayWaveFile(sound::kEndSound);
    }
    ShowCountdown();
    c_.Timer2.setEnabled(false);
    // The milestones are tested on the count the tick leaves: 30 and 60 by equality.
    if (CountdownSeconds <= 10) {
        model_.frame = FrameStage::LastSeconds;
        c_.Shape1.setBorderColour(static_cast<forms::Colour>(warnings_.RandomWarningColour()));
    }
    if (CountdownSeconds == 30) {
        sounds_.PlayWaveFile(sound::kWarningSound);
        showFrameStage(FrameStage::ThirtySeconds);
    }
    if (CountdownSeconds == 60) {
        showFrameStage(FrameStage::OneMinute);
    }
    if (const auto text = milestoneAnnouncement(CountdownSeconds)) {
        announcer_.announce(*text);
    }
}

void TimingEngine::ShowCountdown() {
    showTime(CountdownSeconds);
}

void TimingEngine::showTime(std::int32_t seconds) {
    const TimeFields fields = splitTime(seconds);
    c_.Label1.setCaption(fields.hours);
    c_.Label3.setCaption(fields.minutes);
    c_.Label4.setCaption(fields.seconds);
}

// The frame's colour for a stage it has just reached: from the ticks' milestones and a minute more or less.
void TimingEngine::showFrameStage(FrameStage stage) {
    if (stage == model_.frame) {
        return;
    }
    model_.frame = stage;
    switch (stage) {
        case FrameStage::Plain:
            c_.Shape1.setBorderColour(effects::kBlack);
            break;
        case FrameStage::OneMinute:
            c_.Shape1.setBorderColour(effects::kYellow);
            break;
        case FrameStage::ThirtySeconds:
            c_.Shape1.setBorderColour(effects::kRed);
            break;
        case FrameStage::LastSeconds:
            c_.Shape1.setBorderColour(static_cast<forms::Colour>(warnings_.RandomWarningColour()));
            break;
    }
}

}  // namespace zantiro::core
