// Which handler answers which event of the window's controls, and the handlers that ask before they command.
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "core/clock_time.h"
#include "core/custom_length.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {
constexpr std::string_view kCustomTitle = "输入Vorlenk时间";
constexpr std::string_view kCustomPrompt = "以分钟为单位。\r\n可精确到小数点后 1 位。\r\n如8分30秒可输入“8.5”。";
constexpr std::string_view kEndTimeTitle = "输入结束时刻";
constexpr std::string_view kEndTimePrompt = "例如 11:30";
}  // namespace

void Form1::wireEvents() {
    window.onUnload = [this] { Form_Unload(); };
    window.onDpiChanged = [this] { Form_DpiChanged(); };
    window.onDisplayChange = [this] { Form_DisplayChange(); };
    window.onMouseWheel = [this](int notches, int shift) { Form_MouseWheel(notches, shift); };

    const auto drag = [this](int button, int, float, float) { dragMouseMove(button); };
    window.onMouseMove = drag;
    for (Label* label : {&Label1, &Label2[0], &Label2[1], &Label3, &Label4, &Label5, &Label6, &Label7, &Label8}) {
        label->onMouseMove = drag;
    }

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };

    Timer1.onTick = [this] { Timer1_Tick(); };
    Timer2.onTick = [this] { act([this] { model.countUpTick(); }); };
    Timer3.onTick = [this] { Timer3_Tick(); };
    Timer4.onTick = [this] { act([this] { model.flashTick(); }); };

    menuzheng.onClick = [this] { menuzheng_Click(); };
    for (std::size_t i = 0; i < presetItems().size(); ++i) {
        presetItems()[i]->onClick = [this, i] { presetClick(i); };
    }
    daodiy.onClick = [this] { daodiy_Click(); };
    daoshike.onClick = [this] { daoshike_Click(); };
    yinxiao.onClick = [this] { yinxiao_Click(); };
    morenling.onClick = [this] { morenling_Click(); };
    wenjianling.onClick = [this] { wenjianling_Click(); };
    xuanzeling.onClick = [this] { xuanzeling_Click(); };
    chongfu.onClick = [this] { chongfu_Click(); };
    for (std::size_t i = 0; i < placementItems().size(); ++i) {
        placementItems()[i]->onClick = [this, i] { placementClick(i); };
    }
    for (std::size_t i = 0; i < transparencyItems().size(); ++i) {
        transparencyItems()[i]->onClick = [this, i] { transparencyClick(i); };
    }
    xiaoshi.onClick = [this] { xiaoshi_Click(); };
    chaoshi.onClick = [this] { chaoshi_Click(); };
    biaoti.onClick = [this] { biaoti_Click(); };
    menuexit.onClick = [this] { menuexit_Click(); };
}

void Form1::Timer1_Tick() {
    Label6.setCaption(platform_.regional.longTimeText());
}

// Asks until the box gives a length or is cancelled.
void Form1::daodiy_Click() {
    const std::string separator = platform_.regional.decimalSeparator();
    const std::string defaultText = "8" + separator + "5";
    for (;;) {
        const core::CustomEntry entry = core::judgeCustomEntry(
            platform_.inputBox.ask(kCustomPrompt, kCustomTitle, defaultText).value_or(""), separator);
        if (entry.verdict == core::EntryVerdict::Cancel) {
            return;
        }
        if (entry.verdict == core::EntryVerdict::Accept) {
            act([this, &entry] { model.chooseCustomLength(entry.length); });
            return;
        }
    }
}

// Asks for a time of day and counts down to it at once; Cancel, or nothing typed, changes nothing.
void Form1::daoshike_Click() {
    const std::string defaultText = core::clockTimeText(core::nextFullHour(clock_.timeOfDay()));
    for (;;) {
        const std::string answer =
            core::trimSpaces(platform_.inputBox.ask(kEndTimePrompt, kEndTimeTitle, defaultText).value_or(""));
        if (answer.empty()) {
            return;
        }
        if (const std::optional<core::ClockTime> endTime = core::parseClockTime(answer)) {
            act([this, &endTime] {
                model.countdownTo(*endTime);
                fitScale();
            });
            return;
        }
    }
}

// Choosing again ends the preview; a file chosen plays once at once, so the user hears what will ring.
void Form1::xuanzeling_Click() {
    platform_.soundPlayer.stop();
    const std::optional<std::string> path = platform_.filePicker.chooseSoundFile();
    if (path && chooseBellFile(*path) && model.state().soundOn) {
        platform_.soundPlayer.playMemory(bell_.wav, false);
    }
}

bool Form1::chooseBellFile(const std::string& path) {
    std::variant<sound::Bell, sound::BellRefusal> read =
        sound::readBell(platform_.fileSystem, platform_.soundDecoder, path);
    if (const auto* refusal = std::get_if<sound::BellRefusal>(&read)) {
        platform_.notifier.notify(refusal->notice());
        return false;
    }
    platform_.soundPlayer.stop();  // the player may still read the old image
    bell_ = std::move(std::get<sound::Bell>(read));
    act([this] { model.useFileBell(bell_.name); });
    return true;
}

void Form1::xiaoshi_Click() {
    act([this] {
        model.showHours(!model.state().hoursShown);
        fitScale();
    });
}

void Form1::dragMouseMove(int button) {
    if (button == 1) {
        platform_.windowSystem.beginDrag(window.hWnd());
    }
}

}  // namespace zantiro::ui
