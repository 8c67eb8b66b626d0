// Ctrl+Alt+F1 to F10 run the very commands of the F-keys and the buttons, under the same guards: F1 to F5 only while
// the function menu is offered, a button's command only while the run state offers the button.
#include "ui/hotkeys.h"

#include "ui/form1.h"

namespace zantiro::ui {

void Form1::hotkey(int number) {
    const core::OfferedButtons offered = model.offered();
    const core::RunState state = model.state().run;
    switch (number) {
        case 6:  // start when start can be pressed, else pause or resume
            if (state == core::RunState::Ready) {
                act([this] { model.startOrStop(); });
            } else if (offered.pauseResume) {
                act([this] { model.pauseOrResume(); });
            }
            break;
        case 7:  // stop, which also ends the flashing and the bell
            if (core::isRunInProgress(state)) {
                act([this] { model.startOrStop(); });
            }
            break;
        case 8:
            if (offered.reset) {
                act([this] { model.reset(); });
            }
            break;
        default:
            functionKey(number);  // F1 to F5, F9 and F10; it ignores any other number
            break;
    }
}

std::string takenHotkeysNotice(std::span<const int> takenNumbers) {
    if (takenNumbers.empty()) {
        return {};
    }
    std::string keys;
    for (const int number : takenNumbers) {
        keys += (keys.empty() ? "Ctrl+Alt+F" : "、F") + std::to_string(number);
    }
    return "快捷键 " + keys + " 已被其他程序占用，\n本计时器没有使用它们。";
}

}  // namespace zantiro::ui
