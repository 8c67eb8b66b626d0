// The one render step: every control of the window written from the model, then the model's events played, said
// and shown.
#include <array>
#include <limits>
#include <string>

#include "core/time_display.h"
#include "core/window_settings.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {
constexpr std::size_t kReadableTime = 0;  // the first text the design gives screen readers
// Each button's two words: the first outside a run (or while running), the second in it (or paused).
constexpr std::array<std::string_view, 2> kStartStop{"开 始", "停 止"};
constexpr std::array<std::string_view, 2> kPauseResume{"暂 停", "恢 复"};
}  // namespace

void Form1::render() {
    const core::TimerState& s = model.state();
    renderDisplay(s);
    renderButtonsAndTimers(s);
    renderMenu(s);
    renderWindow(s);
    renderEvents();
}

// The digits by the display rule, shown but in the flashing's hidden half, the hours only while they are shown.
void Form1::renderDisplay(const core::TimerState& s) {
    const core::TimeFields fields = core::splitTime(s.shownSeconds);
    Label1.setCaption(fields.hours);
    Label3.setCaption(fields.minutes);
    Label4.setCaption(fields.seconds);
    for (Label* digits : {&Label3, &Label2[1], &Label4}) {
        digits->setVisible(!s.digitsHidden);
    }
    for (Label* hours : {&Label1, &Label2[0]}) {
        hours->setVisible(s.hoursShown && !s.digitsHidden);
    }
    if (s.frameColour) {
        Shape1.setBorderColour(*s.frameColour);
    }
}

void Form1::renderButtonsAndTimers(const core::TimerState& s) {
    const core::OfferedButtons offered = model.offered();
    Command1.setCaption(std::string(kStartStop[core::isRunInProgress(s.run) ? 1 : 0]));
    Command1.setEnabled(offered.startStop);
    Command2.setCaption(std::string(kPauseResume[s.pauseOffersResume ? 1 : 0]));
    Command2.setEnabled(offered.pauseResume);
    Command3.setEnabled(offered.reset);
    Command4.setEnabled(offered.functionMenu);

    const bool counting = s.run == core::RunState::Running;
    const bool countUp = s.mode == core::Mode::CountUp;
    Timer2.setEnabled(counting && countUp && s.elapsedSeconds < std::numeric_limits<std::int32_t>::max());
    if (counting && !countUp && !Timer3.enabled() && s.firstTickInMs > 0) {
        Timer3.startWithFirstTickIn(s.firstTickInMs);  // on the wall clock's seconds
    }
    Timer3.setEnabled((counting && !countUp) || s.pastZero);  // past zero on the same grid
    Timer4.setEnabled(s.run == core::RunState::Finished);

    const bool awake = counting || s.run == core::RunState::Finished;  // paused, the screen may sleep
    if (awake != shown_.awake) {
        shown_.awake = awake;
        platform_.power.keepAwake(awake);
    }
}

// One check mark in each group.
void Form1::renderMenu(const core::TimerState& s) {
    menuzheng.setChecked(s.mode == core::Mode::CountUp);
    for (std::size_t i = 0; i < presetItems().size(); ++i) {
        presetItems()[i]->setChecked(s.mode == core::Mode::Preset && s.preset == i);
    }
    daodiy.setChecked(s.mode == core::Mode::Custom);
    daoshike.setChecked(s.mode == core::Mode::EndTime);
    yinxiao.setChecked(s.soundOn);
    morenling.setChecked(!s.fileBell);
    wenjianling.setCaption(s.bellName);
    wenjianling.setVisible(!s.bellName.empty());
    wenjianling.setChecked(s.fileBell);
    chongfu.setChecked(s.repeatBell);
    for (std::size_t i = 0; i < placementItems().size(); ++i) {
        placementItems()[i]->setChecked(s.placement == i);
    }
    for (std::size_t i = 0; i < transparencyItems().size(); ++i) {
        transparencyItems()[i]->setChecked(s.transparency == i);
    }
    xiaoshi.setChecked(s.hoursShown);
}

// The window's size follows the row and the scale, its place a placement chosen; it is layered from the first
// transparency chosen on.
void Form1::renderWindow(const core::TimerState& s) {
    const bool audience = renderAudience(s);
    if (audience || s.hoursShown != shown_.hoursShown || s.scale != window.scale()) {
        shown_.hoursShown = s.hoursShown;
        window.setReadableText(kReadableTime, readableTime());
        resizeKeepingPin();
    }
    if (s.placedTimes != shown_.placedTimes) {
        shown_.placedTimes = s.placedTimes;
        placeWindow(s.placement);
    }
    if (s.transparencyChosen && shown_.transparency != s.transparency) {
        shown_.transparency = s.transparency;
        platform_.windowSystem.setOpacity(window.hWnd(), core::kTransparencies[s.transparency].alpha);
    }
}

void Form1::renderEvents() {
    for (const core::Event& event : model.takeEvents()) {
        switch (event.kind) {
            case core::Event::Kind::PlayWarning:
                sounds.PlayWaveFile(sound::kWarningSound);
                break;
            case core::Event::Kind::PlayBell:
                playBell(model.state().repeatBell);
                break;
            case core::Event::Kind::StopBell:
                platform_.soundPlayer.stop();
                break;
            case core::Event::Kind::Announce:
                platform_.announcer.announce(event.text);
                break;
            case core::Event::Kind::Notice:
                platform_.notifier.notify(event.text);
                break;
        }
    }
}

void Form1::playBell(bool repeat) {
    if (!model.state().fileBell || !platform_.soundPlayer.playMemory(bell_.wav, repeat)) {
        sounds.PlayWaveFile(sound::kEndSound, repeat);
    }
}

forms::ReadableText Form1::readableTime() const {
    const std::string prefix = minusShown() ? "超时 " : "";
    if (model.state().hoursShown) {
        return {{&Label1, &Label2[0], &Label3, &Label2[1], &Label4}, prefix};
    }
    return {{&Label3, &Label2[1], &Label4}, prefix};
}

}  // namespace zantiro::ui
