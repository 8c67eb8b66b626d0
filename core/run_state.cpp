// The run state as the controls show it, and the rules each state sets for the other controls and the counters.
#include <optional>

#include "core/custom_length.h"
#include "core/timing_engine.h"

namespace zantiro::core {

RunState TimingEngine::runState() const {
    if (c_.Command1.caption() == kStartCaption) {
        return c_.Command1.enabled() ? RunState::Ready : RunState::Stopped;
    }
    if (c_.Timer4.enabled()) {
        return RunState::Finished;
    }
    return c_.Command2.caption() == kPauseCaption ? RunState::Running : RunState::Paused;
}

std::vector<std::string> TimingEngine::brokenRunStateRules() const {
    std::vector<std::string> broken;
    const auto require = [&broken](bool holds, const char* rule) {
        if (!holds) {
            broken.emplace_back(rule);
        }
    };
    const bool countUp = c_.menuzheng.checked();
    const bool ticking = c_.Timer2.enabled() || c_.Timer3.enabled();
    switch (runState()) {
        case RunState::Ready: {
            require(!c_.Command2.enabled() && c_.Command4.enabled(), "ready: pause off, function menu on");
            require(!ticking && !c_.Timer4.enabled(), "ready: no timer of the run is on");
            const auto startSeconds = [this]() -> std::optional<std::int32_t> {
                for (const FixedPreset& preset : fixedPresets()) {
                    if (preset.item.checked()) {
                        return preset.seconds;
                    }
                }
                return minutesToSeconds(CustomMinutes);  // daodiy
            };
            require(countUp ? ElapsedSeconds == 0 : CountdownSeconds == startSeconds().value_or(0),
                    "ready: the counter holds the mode's start value");
            break;
        }
        case RunState::Running:
            require(c_.Command1.enabled() && c_.Command2.enabled(), "running: stop and pause on");
            require(!c_.Command3.enabled() && !c_.Command4.enabled(), "running: reset and function menu off");
            require(c_.Timer2.enabled() == countUp && c_.Timer3.enabled() == !countUp,
                    "running: only the mode's tick source is on");
            break;
        case RunState::Paused:
            require(c_.Command2.caption() == kResumeCaption, "paused: the pause button offers resume");
            require(c_.Command1.enabled() && c_.Command2.enabled(), "paused: stop and resume on");
            require(!c_.Command3.enabled() && !c_.Command4.enabled(), "paused: reset and function menu off");
            require(!ticking, "paused: no tick source is on");
            break;
        case RunState::Finished:
            require(!countUp, "finished: only a countdown finishes");
            require(c_.Command1.enabled() && !c_.Command2.enabled(), "finished: stop on, pause off");
            require(!c_.Command3.enabled() && !c_.Command4.enabled(), "finished: reset and function menu off");
            require(!ticking, "finished: no tick source is on");
            require(CountdownSeconds <= 0, "finished: no countdown seconds left");
            break;
        case RunState::Stopped:
            require(!c_.Command2.enabled(), "stopped: pause off");
            require(c_.Command3.enabled() && c_.Command4.enabled(), "stopped: reset and function menu on");
            require(!ticking && !c_.Timer4.enabled(), "stopped: no timer of the run is on");
            require(ElapsedSeconds == 0 && CountdownSeconds == 0, "stopped: both counters 0");
            break;
    }
    return broken;
}

}  // namespace zantiro::core
