// The timing engine: the counters, the run state machine, the presets and the tick handlers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The five run states, named for what the controls show; see runState().
enum class RunState { Ready, Running, Paused, Finished, Stopped };

// A run has been started and not yet stopped: the function menu and its keys are not offered.
constexpr bool isRunInProgress(RunState state) {
    return state == RunState::Running || state == RunState::Paused || state == RunState::Finished;
}

// The run state lives in these controls; the engine decides by reading them back.
struct TimingControls {
    forms::Label& Label1;            // hours, never shown
    forms::Label& Label3;            // minutes
    forms::Label& Label4;            // seconds
    forms::CommandButton& Command1;  // start / stop
    forms::CommandButton& Command2;  // pause / resume
    forms::CommandButton& Command3;  // reset
    forms::CommandButton& Command4;  // function menu
    forms::Shape& Shape1;            // the frame whose colour warns
    forms::Timer& Timer2;            // count-up tick
    forms::Timer& Timer3;            // countdown tick
    forms::Timer& Timer4;            // end flashing
    forms::MenuItem& menuzheng;      // count-up mode
    forms::MenuItem& dao1;
    forms::MenuItem& dao3;
    forms::MenuItem& dao5;
    forms::MenuItem& dao10;
    forms::MenuItem& daodiy;  // custom length
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
    void menuzheng_Click();

    void dao1_Click() { choosePreset(fixedPresets()[0]); }
    void dao3_Click() { choosePreset(fixedPresets()[1]); }
    void dao5_Click() { choosePreset(fixedPresets()[2]); }
    void dao10_Click() { choosePreset(fixedPresets()[3]); }
    void daodiy_Click();
    // What daodiy_Click does once the box has accepted a length.
    void chooseCustomLength(const CustomLength& length);

    // Read from the start button's caption and enabled flag, the flashing timer and the pause button's caption.
    RunState runState() const;

    void Timer2_Tick();
    void Timer3_Tick();
    void ShowCountdown();

private:
    struct FixedPreset {
        forms::MenuItem& item;
        std::int32_t seconds;
        std::string_view minutesText;
    };
    // The four fixed lengths in menu order.
    std::array<FixedPreset, 4> fixedPresets() const {
        return {{{c_.dao1, 60, "01"}, {c_.dao3, 180, "03"}, {c_.dao5, 300, "05"}, {c_.dao10, 600, "10"}}};
    }
    void choosePreset(const FixedPreset& preset);
    void showWholeMinutes(std::string_view minutesText);
    void checkCountdownItem(const forms::MenuItem* chosen);
    void showTime(std::int32_t seconds);

    TimingControls c_;
    effects::WarningColours& warnings_;
    sound::SoundEffects& sounds_;
    forms::InputBox& inputBox_;
    forms::Regional& regional_;
    forms::Announcer& announcer_;  // the milestones, for screen readers, whether the sound is on or off
};

}  // namespace zantiro::core
