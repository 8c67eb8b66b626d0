// The hours on the display: 显示小时 shows Label1 and Label2(0) at the start of the row, in a window as much wider,
// and a countdown of an hour or more while they are hidden says where to show them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/form1.h"

namespace zantiro::ui {

namespace {
constexpr std::string_view kHoursAdvice = "超过 60 分钟：功能 → 显示小时";
constexpr std::int32_t kHourSeconds = 3600;
constexpr std::size_t kReadableTime = 0;  // the first text the design gives screen readers
}  // namespace

void Form1::showHours() {
    if (!xiaoshi.checked()) {
        showHoursIf(true);
    }
}

// One move of the window, keeping the point its placement pins as a change of scale does; the digits, the frame
// and the rule follow its new width. While the digits flash, the hours come in step with the minutes.
void Form1::showHoursIf(bool shown) {
    xiaoshi.setChecked(shown);
    Label1.setVisible(shown && Label3.visible());
    Label2[0].setVisible(shown && Label3.visible());
    window.setReadableText(kReadableTime, readableTime());
    fitWindow(window.scale(), true);
}

// Both margins stay as they are: the window grows by exactly what the row grows by.
float Form1::windowWidth() const {
    return xiaoshi.checked() ? kWindowWidth + Label1.width() + Label2[0].width() : kWindowWidth;
}

forms::ReadableText Form1::readableTime() const {
    if (xiaoshi.checked()) {
        return {{&Label1, &Label2[0], &Label3, &Label2[1], &Label4}};
    }
    return {{&Label3, &Label2[1], &Label4}};
}

void Form1::showHoursWhenLong() {
    if (timing.mode() != core::Mode::CountUp && timing.CountdownSeconds >= kHourSeconds) {
        showHours();
    }
}

void Form1::adviseHours() {
    if (!xiaoshi.checked() && timing.CountdownSeconds >= kHourSeconds) {
        platform_.notifier.notify(kHoursAdvice);
    }
}

}  // namespace zantiro::ui
