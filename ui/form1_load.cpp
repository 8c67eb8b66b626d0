// Loading turns the design into the run-time window, and redoes what a new DPI or a lost monitor undoes;
// unloading ends the program.
#include <algorithm>
#include <string>
#include <vector>

#include "forms/monitors.h"
#include "ui/form1.h"

namespace zantiro::ui {

namespace {
constexpr float kWindowTop = 20;
constexpr float kFrameWidthReduction = 65;
constexpr float kFrameHeight = 1455;
constexpr int kFrameBorderWidth = 5;
constexpr float kDisplayLeft = 120;
constexpr forms::Colour kDigitColour = 255;
}  // namespace

void Form1::Form_Load() {
    platform_.windowSystem.removeTitleBar(window.hWnd());

    window.setHeight(kWindowHeight);
    window.setWidth(kWindowWidth);
    placeAtStart(startMonitor());

    Shape1.setTop(kFrameInset);
    Shape1.setLeft(kFrameInset);
    Shape1.setWidth(window.width() - kFrameWidthReduction);
    Shape1.setHeight(kFrameHeight);
    Shape1.setBorderWidth(kFrameBorderWidth);

    layOutDigits();

    for (Label* digits : {&Label1, &Label3, &Label4, &Label2[0], &Label2[1], &Label8}) {
        digits->setTop(0);
        digits->setForeColour(kDigitColour);
    }

    Timer1.setInterval(1000);
    Timer1.setEnabled(true);
    platform_.windowSystem.makeTopmost(window.hWnd());
    render();  // the run's timers off before they get their intervals; pause and reset off; the check marks
    Timer2.setInterval(1000);
    Timer3.setInterval(1000);
    Timer4.setInterval(500);
    sounds.ExtractSoundFiles();
}

void Form1::startOnMonitor(int number) {
    if (number == 0) {
        return;  // not asked for: the window is made where the system puts it, the load places it on the primary
    }
    if (forms::monitorNumbered(platform_.screen.monitors(), number)) {
        startMonitor_ = number;
    } else {
        platform_.notifier.notify("没有第 " + std::to_string(number) + " 个显示器，计时器显示在主显示器上。");
    }
    placeAtStart(startMonitor());  // a window not yet made is made there, at that monitor's DPI
}

// Monitors are read anew, since their twips follow the window's DPI and scale.
forms::MonitorArea Form1::startMonitor() const {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    return forms::monitorNumbered(monitors, startMonitor_).value_or(monitors.front());
}

// Centred across the monitor, just below its top edge.
void Form1::placeAtStart(const forms::MonitorArea& monitor) {
    window.setLeft(monitor.left + (monitor.width - window.width()) / 2);
    window.setTop(monitor.top + kWindowTop);
}

// The minutes, the colon and the seconds follow each other without gaps from the display's left edge, after the
// minus sign and the hours and their colon while those are shown; hidden, they keep their places.
void Form1::layOutDigits() {
    float left = kDisplayLeft;
    if (minusShown()) {
        Label8.setLeft(left);
        left += measuredWidth(Label8);
    }
    if (model.state().hoursShown) {
        for (Label* label : {&Label1, &Label2[0]}) {
            label->setLeft(left);
            left += measuredWidth(*label);
        }
    }
    for (Label* label : {&Label3, &Label2[1], &Label4}) {
        label->setLeft(left);
        left += measuredWidth(*label);
    }
}

float Form1::measuredWidth(const Label& label) const {
    return window.textWidth(label.caption(), label.font());
}

// At another DPI the window's width and the labels' widths round to other pixels: what the load derived from
// them is derived again, so the window looks as if it had started at that DPI. The user's scale stays on top of
// the new DPI, as far as the new monitor has room for it.
void Form1::Form_DpiChanged() {
    deriveFromSize();
    act([this] { fitScale(); });
}

// The rule runs past the window's right edge as designed, and on to it when the hours widen the window further.
void Form1::deriveFromSize() {
    Shape1.setWidth(window.width() - kFrameWidthReduction);
    Line1.setX2(std::max(kRuleEnd, window.width()));
    layOutDigits();
    layOutBand();
}

// A monitor came or went (a projector unplugged): a window left on none comes back where it started, on the
// primary monitor. The placement check mark stays, as after a drag.
void Form1::Form_DisplayChange() {
    const std::vector<forms::MonitorArea> monitors = platform_.screen.monitors();
    if (!forms::monitorHolding(window, monitors)) {
        placeAtStart(monitors.front());
    }
}

void Form1::Form_Unload() {
    platform_.soundPlayer.stop();  // a repeating bell ends with the program
    if (shown_.awake) {
        platform_.power.keepAwake(false);
    }
    platform_.program.end();
}

}  // namespace zantiro::ui
