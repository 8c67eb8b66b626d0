// Which monitor a window is on, as the window system decides it: the one that holds the largest part of it.
#pragma once

#include <algorithm>
#include <optional>
#include <span>

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

inline TwipsRect workAreaOf(const MonitorArea& monitor) {
    return monitor.work.width > 0 && monitor.work.height > 0
               ? monitor.work
               : TwipsRect{monitor.left, monitor.top, monitor.width, monitor.height};
}

}  // namespace zantiro::forms
