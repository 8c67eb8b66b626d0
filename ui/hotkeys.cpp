// Ctrl+Alt+F1 to F10 run the very handlers of the F-keys and the buttons, under the same guards: F1 to F5 only while
// the function menu is offered, a button only while the run state offers it.
#include "ui/hotkeys.h"

#include "ui/form1.h"

namespace zantiro::ui {

void Form1::hotkey(int number) {
    const auto press = [](CommandButton& button, bool offered) {
        if (offered && button.onClick) {
            button.onClick();
        }
    };
    const core::OfferedButtons offered = timing.offered();
    const core::RunState state = timing.runState();
    switch (number) {
        case 6:  // start when 开 始 can be pressed, else pause or resume
            if (state == core::RunState::Ready) {
                press(Command1, offered.startStop);
            } else {
                press(Command2, offered.pauseResume);
            }
            break;
        case 7:  // stop, which also ends the flashing and the bell
            press(Command1, core::isRunInProgress(state));
            break;
        case 8:
            press(Command3, offered.reset);
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
