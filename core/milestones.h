// A countdown's milestones: the frame's colour, the warning sound and what a screen reader is told, by the seconds
// a tick leaves.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zantiro::core {

// How far a countdown's frame has gone: yellow at a minute, red at thirty seconds, a new colour every second from
// ten on. A countdown that starts below a milestone skips it.
enum class FrameStage { Plain, OneMinute, ThirtySeconds, LastSeconds };

// Met by equality on the count a tick leaves, so a countdown that starts at a milestone or below never meets it.
struct Milestone {
    std::int32_t secondsLeft;
    FrameStage stage;
    bool warningSound;
    std::string_view announcement;
};

inline constexpr std::array<Milestone, 3> kMilestones{{
    {60, FrameStage::OneMinute, false, "还剩一分钟"},
    {30, FrameStage::ThirtySeconds, true, "还剩三十秒"},
    {10, FrameStage::LastSeconds, false, "还剩十秒"},  // and every tick below it a new colour
}};
// At 0 or less the countdown ends: the bell, the flashing and this.
inline constexpr std::string_view kTimeIsUp = "时间到";
// The same with 超时计时, when the digits go on counting past zero.
inline constexpr std::string_view kTimeIsUpCountingOn = "时间到，开始超时计时";

constexpr const Milestone* milestoneAt(std::int32_t secondsLeft) {
    for (const Milestone& milestone : kMilestones) {
        if (milestone.secondsLeft == secondsLeft) {
            return &milestone;
        }
    }
    return nullptr;
}

// The stage a frame has reached with this many seconds left, every milestone down to it met.
constexpr FrameStage stageAt(std::int32_t secondsLeft) {
    FrameStage stage = FrameStage::Plain;
    for (const Milestone& milestone : kMilestones) {
        if (secondsLeft <= milestone.secondsLeft) {
            stage = milestone.stage;
        }
    }
    return stage;
}

}  // namespace zantiro::core
