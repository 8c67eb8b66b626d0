// The function menu and the window's own settings: placement, transparency, dragging, exit.
#include <vector>

#include "forms/monitors.h"
#include "ui/form1.h"

namespace zantiro::ui {

void Form1::Command4_Click() {
    runFunctionMenu([this] { platform_.popupMenu.showPopup(menucaidan); });
}

void Form1::functionKey(int number) {
    if (number == 9 || number == 10) {
        timing.addMinutes(number == 9 ? 1 : -1);
        showHoursWhenLong();
        return;
    }
    static constexpr int kFirst = 1;
    MenuItem* const items[] = {&dao1, &dao3, &dao5, &dao10, &daodiy};
    if (core::isRunInProgress(timing.runState()) || number < kFirst || number >= kFirst + 5) {
        return;  // a run is in progress, or not one of F1 to F5
    }
    MenuItem& chosen = *items[number - kFirst];
    runFunctionMenu([&chosen] { chosen.onClick(); });
}

// The reset runs first, then the choice; afterwards start is armed and reset disarmed, whatever the choice did.
void Form1::runFunctionMenu(const std::function<void()>& choose) {
    timing.reset();
    choose();
    timing.functionMenuClosed();
}

// The screen is the monitor the window is on (the primary when it is on none), its corner the origin; with one
// monitor that is the whole screen at 0, 0.
void Form1::placementClick(MenuItem& item) {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    const forms::MonitorArea screen = forms::monitorHolding(window, monitors).value_or(monitors.front());
    const float sw = screen.width;
    const float sh = screen.height;
    const float w = window.width();
    const float h = window.height();
    if (&item == &zhong) {
        choosePlacement(item, screen, (sw - w) / 2, (sh - h) / 2);
    } else if (&item == &di) {
        choosePlacement(item, screen, (sw - w) / 2, sh - h - 100);
    } else if (&item == &ding) {
        choosePlacement(item, screen, (sw - w) / 2, 10);
    } else if (&item == &youxia) {
        choosePlacement(item, screen, sw - w - 10, sh - h - 100);
    } else if (&item == &zuoxia) {
        choosePlacement(item, screen, 0, sh - h - 100);
    } else if (&item == &youshang) {
        choosePlacement(item, screen, sw - w, 0);
    } else {
        choosePlacement(item, screen, 0, 0);
    }
}

void Form1::choosePlacement(MenuItem& item, const forms::MonitorArea& screen, float left, float top) {
    for (MenuItem* each : {&zuoshang, &zuoxia, &youshang, &youxia, &ding, &di, &zhong}) {
        each->setChecked(each == &item);
    }
    placementChosen_ = true;
    window.setLeft(screen.left + left);
    window.setTop(screen.top + top);
}

void Form1::chooseTransparency(MenuItem& item, std::uint8_t alpha) {
    platform_.windowSystem.setOpacity(window.hWnd(), alpha);
    for (MenuItem* each : {&tou0, &tou30, &tou50, &tou75, &tou80, &tou90}) {
        each->setChecked(each == &item);
    }
}

void Form1::applyStartOptions(const core::StartOptions& options) {
    if (options.hours) {
        showHours();  // first, so that a long countdown finds them shown
    }
    if (options.mode == core::StartMode::CountUp) {
        runFunctionMenu([this] { menuzheng.onClick(); });
    } else if (options.mode == core::StartMode::Countdown && options.fixedCountdown != 0) {
        functionKey(options.fixedCountdown);
    } else if (options.mode == core::StartMode::Countdown) {
        runFunctionMenu([this, &options] { timing.chooseCustomLength(options.customLength); });
        adviseHours();
    } else if (options.mode == core::StartMode::Until) {
        runFunctionMenu([this, &options] { timing.chooseEndTime(options.until); });
        showHoursWhenLong();
        keepAwakeWhileRunning();
    }
    if (options.mute && yinxiao.checked()) {
        yinxiao.onClick();
    }
    if (options.position != 0) {
        weizhi.items().at(static_cast<std::size_t>(options.position - 1))->onClick();
    }
    if (options.opacity != 0) {
        touming.items().at(static_cast<std::size_t>(options.opacity - 1))->onClick();
    }
}

void Form1::dragMouseMove(int button) {
    if (button != 1) {
        return;
    }
    platform_.windowSystem.beginDrag(window.hWnd());
}

}  // namespace zantiro::ui
