// The countdown presets and the custom length typed into the input box.
#include <utility>

#include "core/custom_length.h"
#include "core/timing_engine.h"

namespace zantiro::core {

void TimingEngine::choosePreset(const FixedPreset& preset) {
    CountdownSeconds = preset.seconds;
    showWholeMinutes(preset.minutesText);
    chooseMode(preset.mode);
}

bool TimingEngine::daodiy_Click() {
    const std::string separator = regional_.decimalSeparator();
    const std::string defaultText = "8" + separator + "5";
    for (;;) {
        const CustomEntry entry = judgeCustomEntry(inputBox_.ask(kCustomPrompt, kCustomTitle, defaultText), separator);
        if (entry.verdict == EntryVerdict::Cancel) {
            return false;
        }
        if (entry.verdict == EntryVerdict::Accept) {
            chooseCustomLength(entry.length);
            return true;
        }
    }
}

void TimingEngine::chooseCustomLength(const CustomLength& length) {
    CustomMinutes = length.minutes;
    CountdownSeconds = length.seconds;
    chooseMode(Mode::Custom);
    ShowCountdown();
}

void TimingEngine::showWholeMinutes(std::string_view minutesText) {
    c_.Label3.setCaption(std::string(minutesText));
    c_.Label1.setCaption("00");
    c_.Label4.setCaption("00");
}

// The countdown items in menu order, then the count-up item: the chosen one checked, the others not.
void TimingEngine::chooseMode(Mode mode) {
    model_.mode = mode;
    const std::pair<forms::MenuItem&, Mode> countdownItems[] = {
        {c_.dao1, Mode::OneMinute},   {c_.dao3, Mode::ThreeMinutes}, {c_.dao5, Mode::FiveMinutes},
        {c_.dao10, Mode::TenMinutes}, {c_.daodiy, Mode::Custom},     {c_.daoshike, Mode::EndTime}};
    for (const auto& [item, itemMode] : countdownItems) {
        item.setChecked(itemMode == mode);
    }
    c_.menuzheng.setChecked(mode == Mode::CountUp);
}

}  // namespace zantiro::core
