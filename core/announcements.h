// What a screen reader is told, unasked, as a countdown nears its end: one text at each milestone, never more.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zantiro::core {

// What is said at each milestone of a countdown, by the seconds it leaves.
struct Milestone {
    std::int32_t secondsLeft;
    std::string_view text;
};
inline constexpr std::array<Milestone, 3> kMilestones{{{60, "还剩一分钟"}, {30, "还剩三十秒"}, {10, "还剩十秒"}}};
inline constexpr std::string_view kTimeIsUp = "时间到";

// The announcement of the countdown tick that leaves `secondsLeft`, as the frame's colours are chosen: 60, 30 and
// 10 by equality, so a countdown that starts at a milestone or below never announces it, and the end at 0 or less,
// which only one tick of a run reaches because it stops the countdown.
constexpr std::optional<std::string_view> milestoneAnnouncement(std::int32_t secondsLeft) {
    for (const Milestone& milestone : kMilestones) {
        if (milestone.secondsLeft == secondsLeft) {
            return milestone.text;
        }
    }
    return secondsLeft <= 0 ? std::optional(kTimeIsUp) : std::nullopt;
}

}  // namespace zantiro::core
