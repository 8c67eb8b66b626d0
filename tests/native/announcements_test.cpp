// What a screen reader hears during a run: the countdown's milestones, once each, at the tick that shows them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

struct CountdownRun {
    const char* name;
    const char* item;        // the menu item that chooses the mode or length
    const char* customText;  // typed into the box for daodiy
    bool soundOff;
    int pauseAtSecondsLeft;          // paused there for ten seconds, then resumed; -1: never
    int stopAtSecondsLeft;           // stopped there, then a minute more passes; -1: never
    std::vector<std::string> heard;  // the display hh:mm:ss at each announcement, and its text
};

void PrintTo(const CountdownRun& run, std::ostream* out) {
    *out << run.name;
}

class Announcements : public ::testing::TestWithParam<CountdownRun> {};

// Every announcement with the display it came with, one tick at a time until well after the run's end.
std::vector<std::string> listen(HeadlessApp& app, const CountdownRun& run) {
    ui::Form1& f = app.form;
    std::vector<std::string> heard;
    std::size_t known = 0;
    const auto note = [&] {
        for (; known < app.announcer.heard.size(); ++known) {
            heard.push_back(app.display() + " " + app.announcer.heard[known]);
        }
    };
    for (int second = 0; second < 700; ++second) {
        app.wait(1000);
        note();
        if (run.pauseAtSecondsLeft >= 0 && f.model.state().countdownSeconds == run.pauseAtSecondsLeft &&
            f.Command2.caption() == "暂 停") {
            EXPECT_TRUE(app.press(f.Command2));
            app.wait(10000);
            note();
            EXPECT_TRUE(app.press(f.Command2));  // 恢 复
        }
        if (run.stopAtSecondsLeft >= 0 && f.model.state().countdownSeconds == run.stopAtSecondsLeft &&
            f.Timer3.enabled()) {
            EXPECT_TRUE(app.press(f.Command1));
            app.wait(60000);
            note();
            break;
        }
    }
    return heard;
}

TEST_P(Announcements, AtTheMilestonesOnly) {
    const CountdownRun& run = GetParam();
    HeadlessApp app;
    if (run.customText != nullptr) {
        app.inputBox.answer(run.customText);
    }
    ASSERT_TRUE(app.chooseFromMenu(run.item));
    if (run.soundOff) {
        ASSERT_TRUE(app.chooseFromMenu("yinxiao"));
        ASSERT_FALSE(app.form.yinxiao.checked());
    }
    ASSERT_TRUE(app.press(app.form.Command1));
    EXPECT_EQ(listen(app, run), run.heard);
}

const std::vector<std::string> kLastHalfMinute{"00:00:30 还剩三十秒", "00:00:10 还剩十秒", "00:00:00 时间到"};
const std::vector<std::string> kLastMinute{"00:01:00 还剩一分钟", "00:00:30 还剩三十秒", "00:00:10 还剩十秒",
                                           "00:00:00 时间到"};

INSTANTIATE_TEST_SUITE_P(Runs,
                         Announcements,
                         ::testing::Values(
                             // Starting at a milestone passes it by, as the frame's yellow is.
                             CountdownRun{"Custom0_6", "daodiy", "0.6", false, -1, -1, kLastHalfMinute},
                             CountdownRun{"OneMinute", "dao1", nullptr, false, -1, -1, kLastHalfMinute},
                             CountdownRun{"ThreeMinutes", "dao3", nullptr, false, -1, -1, kLastMinute},
                             CountdownRun{"Custom8_5", "daodiy", "8.5", false, -1, -1, kLastMinute},
                             CountdownRun{"SoundOff", "daodiy", "0.6", true, -1, -1, kLastHalfMinute},
                             // Paused one tick before a milestone, the resumed tick announces it, once.
                             CountdownRun{"PausedAcrossAMinuteLeft", "dao3", nullptr, false, 61, -1, kLastMinute},
                             CountdownRun{"PausedOnThirtyLeft", "daodiy", "0.6", false, 30, -1, kLastHalfMinute},
                             CountdownRun{"StoppedBeforeThirtyLeft", "dao1", nullptr, false, -1, 31, {}},
                             CountdownRun{"StoppedAfterTenLeft",
                                          "dao1",
                                          nullptr,
                                          false,
                                          -1,
                                          5,
                                          {"00:00:30 还剩三十秒", "00:00:10 还剩十秒"}},
                             // A length of 0 ends at the first tick, which shows -1.
                             CountdownRun{"Zero", "daodiy", "0", false, -1, -1, {"00:00:-1 时间到"}},
                             CountdownRun{"CountUp", "menuzheng", nullptr, false, -1, -1, {}}),
                         [](const ::testing::TestParamInfo<CountdownRun>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace zantiro::testing
