// The timer model: the whole timer's state, changed only by commands named for what they do, and the events of
// what happens once (a sound, an announcement, a notice). It knows no window: the view shows its state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock_time.h"
#include "core/custom_length.h"
#include "core/frame_colours.h"
#include "core/milestones.h"
#include "core/window_settings.h"

namespace zantiro::core {

enum class RunState { Ready, Running, Paused, Finished, Stopped };

// A run has been started and not yet stopped: the function menu and its keys are not offered.
constexpr bool isRunInProgress(RunState state) {
    return state == RunState::Running || state == RunState::Paused || state == RunState::Finished;
}

// Counting up, or down from a preset, a length typed in, or to a time of day.
enum class Mode { CountUp, Preset, Custom, EndTime };

// Which of the run's buttons may be pressed (reset and the function menu only while no run is in progress).
struct OfferedButtons {
    bool startStop, pauseResume, reset, functionMenu;
};

struct TimerState {
    RunState run = RunState::Ready;
    bool resetOffered = false;       // Ready after a reset (not at start-up, nor after the function menu)
    bool pauseOffersResume = false;  // the pause button's word, which it keeps outside a run
    Mode mode = Mode::CountUp;
    std::size_t preset = 0;  // for Mode::Preset, in kPresets
    double customMinutes = 0.0;
    ClockTime endTime{};  // for Mode::EndTime
    std::int32_t countdownSeconds = 0;
    std::int32_t elapsedSeconds = 0;
    std::int32_t shownSeconds = 0;  // what the digits show; a stop leaves them as they were
    int firstTickInMs = 0;          // a countdown to a time of day starts with its first tick on the clock's second
    FrameStage frame = FrameStage::Plain;
    std::optional<Colour> frameColour;  // none until the first warning, stop or reset: the design's colour
    bool digitsHidden = false;          // the flashing's hidden half
    bool hoursShown = false;
    bool soundOn = true;
    bool fileBell = false;               // a chosen file rings at zero, not the design's bell
    std::string bellName;                // that file's name, once one was chosen
    bool repeatBell = false;             // the bell starts again as it ends, until stopped
    int ringingHalfSeconds = 0;          // how long a repeating bell has rung; 0 while none rings
    std::size_t placement = kTopCentre;  // in kPlacements
    bool placementChosen = false;        // the start-up place is not a choice
    int placedTimes = 0;                 // each choice places the window anew, the same one again after a drag too
    std::size_t transparency = kOpaque;  // in kTransparencies
    bool transparencyChosen = false;     // the window is layered from the first choice on
    int scale = 100;                     // per cent of the monitor's own scale

    // For an audience: the time past zero (超时计时) and a title over the digits (标题…).
    bool overtimeOn = false;  // a countdown that reaches zero goes on counting the time past it
    bool pastZero = false;    // finished and counting on: shownSeconds is the time past zero, behind a minus sign
    std::string title;        // see core/title_text.h; empty: none
};

struct Event {
    enum class Kind { PlayWarning, PlayBell, StopBell, Announce, Notice };
    Kind kind;
    std::string_view text;  // for Announce and Notice
    bool operator==(const Event&) const = default;
};

class TimerModel {
public:
    TimerModel(RandomSource& random, TimeSource& clock) : random_(random), clock_(clock) {}

    const TimerState& state() const { return s_; }
    OfferedButtons offered() const;
    // What happened once since the last call, in order.
    std::vector<Event> takeEvents();

    // The run.
    void startOrStop();    // starts when no run is in progress, else stops (and ends the flashing)
    void pauseOrResume();  // while running or paused; resuming waits a full second for the next tick
    void reset();          // the mode's start value again, while no run is in progress
    void functionMenuClosed();

    // What the function menu chooses; each takes effect at the next start, but a countdown to a time of day, which
    // starts at once.
    void countUp();
    void choosePreset(std::size_t index);
    void chooseCustomLength(const CustomLength& length);
    // A countdown of this length: its preset when it is one's, else the length as if typed in.
    void chooseCountdown(const CustomLength& length);
    void countdownTo(ClockTime endTime);
    // While running or paused: a minute more (1) or less (-1). A countdown is never taken below a second (it ends
    // at its next tick), a count-up never below zero.
    void addMinutes(int minutes);

    // The tick sources.
    void countUpTick();
    void countdownTick();
    void flashTick();

    // The window's settings.
    void showHours(bool shown);
    void setSound(bool on);  // off also ends a repeating bell

    // The end's bell: the design's, or a file's that the view has read and keeps.
    void useDefaultBell();
    void useFileBell(std::string name);  // a new file, or the one chosen before when the name is empty
    void setRepeatBell(bool repeat);
    void place(std::size_t placement);
    void setTransparency(std::size_t level);
    void setScale(int percent);

    // For an audience.
    void countPastZero(bool on);
    // Cut to its first kTitleLength characters with a notice; an empty text removes the title.
    void setTitle(std::string_view typed);

private:
    void enter(RunState state);
    void startTowardsEndTime();
    void stopFlashing();
    void ring();
    void endRinging();
    void reachStage(FrameStage stage);
    void showHoursWhenLong();
    void passZero(std::int32_t left);
    void tickPastZero();
    void emit(Event::Kind kind, std::string_view text = {});

    TimerState s_;
    std::vector<Event> events_;
    RandomSource& random_;
    TimeSource& clock_;
};

}  // namespace zantiro::core
