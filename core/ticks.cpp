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
        model_.frame = FrameStage::ThirtySeconds;
        c_.Shape1.setBorderColour(effects::kRed);
    }
    if (CountdownSeconds == 60) {
        model_.frame = FrameStage::OneMinute;
        c_.Shape1.setBorderColour(effects::kYellow);
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

}  // namespace zantiro::core
