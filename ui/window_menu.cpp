// The function menu and the window's own settings: placement, transparency, dragging, exit.
#include "ui/form1.h"

namespace zantiro::ui {

void Form1::Command4_Click() {
    runFunctionMenu([this] { platform_.popupMenu.showPopup(menucaidan); });
}

void Form1::functionKey(int number) {
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
    Command1.setEnabled(true);
    Command3.setEnabled(false);
}

void Form1::placementClick(MenuItem& item) {
    const float sw = platform_.screen.widthTwips();
    const float sh = platform_.screen.heightTwips();
    const float w = window.width();
    const float h = window.height();
    if (&item == &zhong) {
        choosePlacement(item, (sw - w) / 2, (sh - h) / 2);
    } else if (&item == &di) {
        choosePlacement(item, (sw - w) / 2, sh - h - 100);
    } else if (&item == &ding) {
        choosePlacement(item, (sw - w) / 2, 10);
    } else if (&item == &youxia) {
        choosePlacement(item, sw - w - 10, sh - h - 100);
    } else if (&item == &zuoxia) {
        choosePlacement(item, 0, sh - h - 100);
    } else if (&item == &youshang) {
        choosePlacement(item, sw - w, 0);
    } else {
        choosePlacement(item, 0, 0);
    }
}

void Form1::choosePlacement(MenuItem& item, float left, float top) {
    for (MenuItem* each : {&zuoshang, &zuoxia, &youshang, &youxia, &ding, &di, &zhong}) {
        each->setChecked(each == &item);
    }
    window.setLeft(left);
    window.setTop(top);
}

void Form1::chooseTransparency(MenuItem& item, std::uint8_t alpha) {
    platform_.windowSystem.setOpacity(window.hWnd(), alpha);
    for (MenuItem* each : {&tou0, &tou30, &tou50, &tou75, &tou80, &tou90}) {
        each->setChecked(each == &item);
    }
}

void Form1::applyStartOptions(const core::StartOptions& options) {
    if (options.mode == core::StartMode::CountUp) {
        runFunctionMenu([this] { menuzheng.onClick(); });
    } else if (options.mode == core::StartMode::Countdown && options.fixedCountdown != 0) {
        functionKey(options.fixedCountdown);
    } else if (options.mode == core::StartMode::Countdown) {
        runFunctionMenu([this, &options] { timing.chooseCustomLength(options.customLength); });
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
