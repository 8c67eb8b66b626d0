// Which monitor a window is on, as the window system decides it: the one that holds the largest part of it; and
// which one the user means by its number.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "forms/platform.h"
#include "forms/window.h"

namespace zantiro::forms {

// None when the window lies on no monitor at all (one that held it went away); on a tie, the earlier monitor.
inline std::optional<MonitorArea> monitorHolding(const Window& window, std::span<const MonitorArea> monitors) {
    std::optional<MonitorArea> holding;
    float largest = 0;
    for (const MonitorArea& monitor : monitors) {
        const float across = std::min(window.left() + window.width(), monitor.left + monitor.width) -
                             std::max(window.left(), monitor.left);
        const float down = std::min(window.top() + window.height(), monitor.top + monitor.height) -
                           std::max(window.top(), monitor.top);
        if (across > 0 && down > 0 && across * down > largest) {
            largest = across * down;
            holding = monitor;
        }
    }
    return holding;
}

// Monitor `number` as the user counts them: 1 the primary, the others left to right, then top to bottom. None when
// there are fewer monitors.
inline std::optional<MonitorArea> monitorNumbered(std::span<const MonitorArea> monitors, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > monitors.size()) {
        return std::nullopt;
    }
    std::vector<MonitorArea> others(monitors.begin() + 1, monitors.end());
    std::ranges::stable_sort(others, {}, [](const MonitorArea& monitor) {
        return std::pair{monitor.left, monitor.top};
    });
    return number == 1 ? monitors.front() : others[static_cast<std::size_t>(number - 2)];
}

inline TwipsRect workAreaOf(const MonitorArea& monitor) {
    return monitor.work.width > 0 && monitor.work.height > 0
               ? monitor.work
               : TwipsRect{monitor.left, monitor.top, monitor.width, monitor.height};
}

}  // namespace zantiro::forms
