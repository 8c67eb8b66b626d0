// Ctrl+Alt+F1 to F8 run the very handlers of the F-keys and the buttons, under the same guards: F1 to F5 only while
// the function button is enabled, a button only while it is enabled.
#include "ui/hotkeys.h"

#include "ui/form1.h"

namespace zantiro::ui {

void Form1::hotkey(int number) {
    const auto press = [](CommandButton& button) {
        if (button.enabled() && button.onClick) {
            button.onClick();
        }
    };
    const bool startShown = Command1.caption() == core::kStartCaption;
    switch (number) {
        case 6:  // start when 开 始 can be pressed, else pause or resume
            press(startShown && Command1.enabled() ? Command1 : Command2);
            break;
        case 7:  // stop, which also ends the flashing and the bell
            if (Command1.caption() == core::kStopCaption) {
                press(Command1);
            }
            break;
        case 8:
            press(Command3);
            break;
        default:
            functionKey(number);  // F1 to F5; it ignores any other number
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
