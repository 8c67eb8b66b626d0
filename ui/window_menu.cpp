// The function menu and its keys, the placements, and the command line's starting choices.
#include <vector>

#include "core/presets.h"
#include "core/window_settings.h"
#include "forms/monitors.h"
#include "ui/form1.h"

namespace zantiro::ui {

void Form1::Command4_Click() {
    runFunctionMenu([this] { platform_.popupMenu.showPopup(menucaidan); });
}

void Form1::runFunctionMenu(const std::function<void()>& choose) {
    act([this] { model.reset(); });
    choose();
    act([this] { model.functionMenuClosed(); });
}

void Form1::functionKey(int number) {
    if (number == core::kMinuteMoreKey || number == core::kMinuteLessKey) {
        act([this, number] {
            model.addMinutes(number == core::kMinuteMoreKey ? 1 : -1);
            fitScale();
        });
        return;
    }
    if (core::isRunInProgress(model.state().run)) {
        return;  // the function menu is not offered
    }
    if (number == core::kCustomLengthKey) {
        runFunctionMenu([this] { daodiy_Click(); });
    } else if (const auto preset = core::presetForKey(number)) {
        runFunctionMenu([this, &preset] { presetClick(*preset); });
    }
}

// The screen is the monitor the window is on (the primary when it is on none), its corner the origin; with one
// monitor that is the whole screen at 0, 0.
void Form1::placeWindow(std::size_t placement) {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    const forms::MonitorArea screen = forms::monitorHolding(window, monitors).value_or(monitors.front());
    const core::Placement& place = core::kPlacements[placement];
    const auto edge = [](double fraction, float room) { return static_cast<float>(fraction * room); };
    window.setLeft(screen.left + edge(place.across, screen.width - window.width()) + place.offsetX);
    window.setTop(screen.top + edge(place.down, screen.height - window.height()) + place.offsetY);
}

// Each option as its menu item or key would set it, in one render: the hours first, so that a long countdown
// finds them shown.
void Form1::applyStartOptions(const core::StartOptions& options) {
    if (options.hours) {
        act([this] {
            model.showHours(true);
            fitScale();
        });
    }
    switch (options.mode) {
        case core::StartMode::CountUp:
            runFunctionMenu([this] { menuzheng_Click(); });
            break;
        case core::StartMode::Countdown:
            runFunctionMenu([this, &options] { act([&] { model.chooseCountdown(options.countdown); }); });
            break;
        case core::StartMode::Until:
            runFunctionMenu([this, &options] {
                act([&] {
                    model.countdownTo(options.until);
                    fitScale();
                });
            });
            break;
        case core::StartMode::Unchanged:
            break;
    }
    if (!options.bell.empty()) {
        chooseBellFile(options.bell);  // a file that cannot serve: a notice, and the design's bell
    }
    act([this, &options] {
        if (options.mute) {
            model.setSound(false);
        }
        if (options.repeatBell) {
            model.setRepeatBell(true);
        }
        if (options.position != 0) {
            model.place(static_cast<std::size_t>(options.position - 1));
        }
        if (options.opacity != 0) {
            model.setTransparency(static_cast<std::size_t>(options.opacity - 1));
        }
        model.countPastZero(options.overtime);
        model.setTitle(options.title);
        fitScale();
    });
}

}  // namespace zantiro::ui
