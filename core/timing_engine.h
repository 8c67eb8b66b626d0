// The timing engine: the counters, the run state machine, the presets and the tick handlers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock_time.h"
#include "core/custom_length.h"
#include "effects/warning_colours.h"
#include "forms/controls.h"
#include "forms/platform.h"
#include "sound/sound_effects.h"

namespace zantiro::core {

inline constexpr std::string_view kStartCaption = "开 始";
inline constexpr std::string_view kStopCaption = "停 止";
inline constexpr std::string_view kPauseCaption = "暂 停";
inline constexpr std::string_view kResumeCaption = "恢 复";

inline constexpr std::string_view kCustomTitle = "输入Vorlenk时间";
inline constexpr std::string_view kCustomPrompt = "以分钟为单位。\r\n可精确到小数点后 1 位。\r\n如8分30秒可输入“8.5”。";
inline constexpr std::string_view kEndTimeTitle = "输入结束时刻";
inline constexpr std::string_view kEndTimePrompt = "例如 11:30";

enum class RunState { Ready, Running, Paused, Finished, Stopped };

// A run has been started and not yet stopped: the function menu and its keys are not offered.
constexpr bool isRunInProgress(RunState state) {
    return state == RunState::Running || state == RunState::Paused || state == RunState::Finished;
}

// Counting up, or down from one of the countdown items' lengths, or down to a time of day; one item of the mode
// group each, in menu order.
enum class Mode { CountUp, OneMinute, ThreeMinutes, FiveMinutes, TenMinutes, Custom, EndTime };

// How far a countdown's frame has gone in its warnings: yellow at a minute, red at thirty seconds, a new colour
// every second from ten on. A countdown that starts below a milestone skips it.
enum class FrameStage { Plain, OneMinute, ThirtySeconds, LastSeconds };

// The state of the run the engine holds and decides on. The buttons' captions and enabled flags, the tick sources
// and the mode items' check marks are written from it, never read back.
struct RunModel {
    RunState state = RunState::Ready;
    bool resetOffered = false;  // Ready after 复 位 (not at start-up, nor after the function menu): 复 位 stays on
    Mode mode = Mode::CountUp;
    ClockTime endTime{};  // for Mode::EndTime
    FrameStage frame = FrameStage::Plain;
};

// Which of the run's buttons may be pressed (复 位 and 功 能 only while no run is in progress).
struct OfferedButtons {
    bool startStop, pauseResume, reset, functionMenu;
};

// The controls the engine writes (the glossary in ui/form1.h says what each is).
struct TimingControls {
    forms::Label& Label1;
    forms::Label& Label3;
    forms::Label& Label4;
    forms::CommandButton& Command1;
    forms::CommandButton& Command2;
    forms::CommandButton& Command3;
    forms::CommandButton& Command4;
    forms::Shape& Shape1;
    forms::Timer& Timer2;
    forms::Timer& Timer3;
    forms::Timer& Timer4;
    forms::MenuItem& menuzheng;
    forms::MenuItem& dao1;
    forms::MenuItem& dao3;
    forms::MenuItem& dao5;
    forms::MenuItem& dao10;
    forms::MenuItem& daodiy;
    forms::MenuItem& daoshike;
};

class TimingEngine {
public:
    TimingEngine(TimingControls controls,
                 effects::WarningColours& warnings,
                 sound::SoundEffects& sounds,
                 forms::InputBox& inputBox,
                 forms::Regional& regional,
                 forms::Announcer& announcer)
        : c_(controls),
          warnings_(warnings),
          sounds_(sounds),
          inputBox_(inputBox),
          regional_(regional),
          announcer_(announcer) {}

    std::int32_t CountdownSeconds = 0;
    std::int32_t ElapsedSeconds = 0;
    double CustomMinutes = 0.0;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click() { reset(); }
    void reset();  // the reset operation: Command3, and the first step of the function button
    // What follows the function menu, whatever its item did: 开 始 on, 复 位 off.
    void functionMenuClosed();
    void menuzheng_Click();

    void dao1_Click() { choosePreset(fixedPresets()[0]); }
    void dao3_Click() { choosePreset(fixedPresets()[1]); }
    void dao5_Click() { choosePreset(fixedPresets()[2]); }
    void dao10_Click() { choosePreset(fixedPresets()[3]); }
    bool daodiy_Click();  // true when the box accepted a length
    // What daodiy_Click does once the box has accepted a length.
    void chooseCustomLength(const CustomLength& length);
    // Asks for a time of day and counts down to it at once; false when the box was cancelled.
    bool daoshike_Click();
    // What daoshike_Click does once the box has accepted a time: the count to its next moment on the wall clock,
    // started at once with its ticks on the clock's seconds.
    void chooseEndTime(ClockTime endTime);

    // While a run is in progress and not flashing: a minute more (1) or less (-1) on the count. A countdown is
    // never taken below a second (it ends at its next tick), a count-up never below zero.
    void addMinutes(int minutes);

    RunState runState() const { return model_.state; }
    Mode mode() const { return model_.mode; }
    OfferedButtons offered() const;

    void Timer2_Tick();
    void Timer3_Tick();
    void ShowCountdown();

private:
    struct FixedPreset {
        Mode mode;
        std::int32_t seconds;
        std::string_view minutesText;
    };
    // The four fixed lengths in menu order.
    static constexpr std::array<FixedPreset, 4> fixedPresets() {
        return {{{Mode::OneMinute, 60, "01"},
                 {Mode::ThreeMinutes, 180, "03"},
                 {Mode::FiveMinutes, 300, "05"},
                 {Mode::TenMinutes, 600, "10"}}};
    }
    void choosePreset(const FixedPreset& preset);
    void chooseMode(Mode mode);
    void showWholeMinutes(std::string_view minutesText);
    void showTime(std::int32_t seconds);
    // The buttons and the tick sources as the run state has them.
    void showRunState();
    void enterState(RunState state);
    // Starts counting down to the end time, from the seconds left to it now, ticking on the clock's seconds.
    void startTowardsEndTime();
    void showFrameStage(FrameStage stage);

    TimingControls c_;
    RunModel model_;
    effects::WarningColours& warnings_;
    sound::SoundEffects& sounds_;
    forms::InputBox& inputBox_;
    forms::Regional& regional_;
    forms::Announcer& announcer_;  // the milestones, for screen readers, whether the sound is on or off
};

}  // namespace zantiro::core
