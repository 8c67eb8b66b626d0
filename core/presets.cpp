// The countdown presets and the custom length typed into the input box.
#include "core/custom_length.h"
#include "core/timing_engine.h"

namespace zantiro::core {

void TimingEngine::choosePreset(const FixedPreset& preset) {
    CountdownSeconds = preset.seconds;
    showWholeMinutes(preset.minutesText);
    checkCountdownItem(&preset.item);
    c_.menuzheng.setChecked(false);
}

void TimingEngine::daodiy_Click() {
    const std::string separator = regional_.decimalSeparator();
    const std::string defaultText = "8" + separator + "5";
    for (;;) {
        const CustomEntry entry = judgeCustomEntry(inputBox_.ask(kCustomPrompt, kCustomTitle, defaultText), separator);
        if (entry.verdict == EntryVerdict::Cancel) {
            return;
        }
        if (entry.verdict == EntryVerdict::Accept) {
            chooseCustomLength(entry.length);
            return;
        }
    }
}

void TimingEngine::chooseCustomLength(const CustomLength& length) {
    CustomMinutes = length.minutes;
    CountdownSeconds = length.seconds;
    checkCountdownItem(&c_.daodiy);
    c_.menuzheng.setChecked(false);
    ShowCountdown();
}

void TimingEngine::showWholeMinutes(std::string_view minutesText) {
    c_.Label3.setCaption(std::string(minutesText));
    c_.Label1.setCaption("00");
    c_.Label4.setCaption("00");
}

void TimingEngine::checkCountdownItem(const forms::MenuItem* chosen) {
    for (forms::MenuItem* item : {&c_.dao1, &c_.dao3, &c_.dao5, &c_.dao10, &c_.daodiy}) {
        item->setChecked(item == chosen);
    }
}

}  // namespace zantiro::core
