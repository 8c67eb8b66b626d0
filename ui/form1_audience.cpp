// For an audience: the time past zero behind a minus sign (超时计时), and a title in a band above the digits (标题…).
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/title_text.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {
constexpr std::size_t kReadableTime = 0;  // the texts the design gives screen readers, as added
constexpr std::size_t kReadableTitle = 2;
constexpr std::string_view kProgramName = "Zantiro";
constexpr std::string_view kTitleBoxTitle = "输入标题";
constexpr std::string_view kTitlePrompt = "例如：数学期中考试";
constexpr float kBandHeight = 600;
constexpr float kTitleMargin = 120;               // left and right, as the digits' row has
constexpr forms::Colour kTitleColour = 0x404040;  // dark grey
}  // namespace

void Form1::biaoti_Click() {
    const std::optional<std::string> typed = platform_.inputBox.ask(kTitlePrompt, kTitleBoxTitle, model.state().title);
    if (typed) {
        act([this, &typed] {
            model.setTitle(*typed);
            fitScale();
        });
    }
}

// The sign, and an hour past zero the hours, widen the window: the scale fits it to the work area.
void Form1::Timer3_Tick() {
    act([this] {
        const bool minus = minusShown();
        const bool hours = model.state().hoursShown;
        model.countdownTick();
        if (minusShown() != minus || model.state().hoursShown != hours) {
            fitScale();
        }
    });
}

bool Form1::minusShown() const {
    return model.state().pastZero && model.state().shownSeconds > 0;
}

bool Form1::renderAudience(const core::TimerState& s) {
    chaoshi.setChecked(s.overtimeOn);
    const bool minus = minusShown();
    Label8.setVisible(minus);
    Label7.setVisible(!s.title.empty());
    if (minus == shown_.minus && s.title == shown_.title) {
        return false;
    }
    shown_.minus = minus;
    shown_.title = s.title;
    window.setCaption(s.title.empty() ? std::string(kProgramName) : s.title + " – " + std::string(kProgramName));
    window.setReadableText(kReadableTime, readableTime());
    window.setReadableText(kReadableTitle, {{&Label7}, s.title, false});
    return true;
}

float Form1::bandHeight() const {
    return model.state().title.empty() ? 0 : kBandHeight;
}

float Form1::windowHeight() const {
    return kWindowHeight + bandHeight();
}

// The design's rows as they are without a title, moved down by the band.
void Form1::layOutBand() {
    const float band = bandHeight();
    for (Label* digits : {&Label1, &Label2[0], &Label3, &Label2[1], &Label4, &Label8}) {
        digits->setTop(band);
    }
    Shape1.setTop(kFrameInset + band);
    for (CommandButton* button : {&Command1, &Command2, &Command3, &Command4, &Command5}) {
        button->setTop(kButtonTop + band);
    }
    Line1.setY(kRuleTop + band);
    Label5.setTop(kClockTop + band);
    Label6.setTop(kClockTop + band);

    const std::string& title = model.state().title;
    const std::string shown =
        core::shortenedToWidth(title, window.width() - 2 * kTitleMargin,
                               [this](const std::string& text) { return window.textWidth(text, kTitleFont); });
    Label7.setCaption(shown);
    Label7.setForeColour(kTitleColour);
    Label7.setLeft((window.width() - window.textWidth(shown, kTitleFont)) / 2);
    Label7.setTop(std::max(0.0f, (band - Label7.height()) / 2));
}

}  // namespace zantiro::ui
