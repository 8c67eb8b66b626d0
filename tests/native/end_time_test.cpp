// A countdown to a time of day, and a minute more or less: the seconds to the end on the wall clock, the box, and
// the frame's warnings after a jump either way.
#include <gtest/gtest.h>

#include "core/clock_time.h"
#include "core/frame_colours.h"
#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

TEST(SecondsUntil, CountWholeSecondsToTheNextMomentAndTickOnTheClocksSeconds) {
    struct Case {
        core::TimeOfDay now;
        core::ClockTime end;
        std::int32_t seconds;
        int firstTickMs;
    };
    for (const Case& c :
         {Case{{11, 29, 0, 300}, {11, 30}, 60, 700}, Case{{11, 29, 59, 999}, {11, 30}, 1, 1},  // a second before it
          Case{{11, 30, 0, 0}, {11, 30}, 24 * 3600, 1000},  // on the minute: tomorrow's
          Case{{23, 59, 30, 0}, {0, 5}, 330, 1000},         // across midnight
          Case{{0, 0, 1, 500}, {23, 59}, 86339, 500}}) {
        EXPECT_EQ(core::secondsUntil(c.now, c.end), c.seconds) << c.now.hour << ":" << c.now.minute;
        EXPECT_EQ(core::millisecondsToNextSecond(c.now), c.firstTickMs);
    }
}

TEST(EndTime, TheBoxOffersTheNextFullHourAsksAgainAndTheCountReachesZeroAsTheClockShowsTheTime) {
    HeadlessApp app;
    ui::Form1& f = app.form;
    app.regional.now = {9, 59, 0, 250};
    app.inputBox.answer("noon");
    app.inputBox.answer("10：00");
    app.chooseFromMenu("daoshike");
    ASSERT_EQ(app.inputBox.questions.size(), 2u);
    for (const ScriptedInputBox::Question& question : app.inputBox.questions) {
        EXPECT_EQ(question.title + "|" + question.prompt + "|" + question.defaultText, "输入结束时刻|例如 11:30|10:00");
    }
    EXPECT_EQ(app.checkedModeItem(), "daoshike");
    EXPECT_EQ(f.model.state().run, core::RunState::Running);  // started at once
    EXPECT_TRUE(app.power.awake());
    app.wait(749);
    EXPECT_EQ(app.display(), "00:01:00");
    app.wait(1);  // 9:59:01.000
    EXPECT_EQ(app.display(), "00:00:59");
    app.wait(59'000);  // 10:00:00.000
    EXPECT_EQ(f.model.state().run, core::RunState::Finished);

    // Stopped, then reset at another time: the time left to the same end, counted towards it again.
    app.press(f.Command1);
    app.regional.now = {9, 0, 0, 600};
    app.press(f.Command3);
    EXPECT_EQ(app.display(), "01:00:00");
    app.press(f.Command1);
    app.wait(400);
    EXPECT_EQ(app.display(), "00:59:59");

    // Cancel changes nothing; an hour or more away shows the hours by itself, and says nothing.
    app.press(f.Command1);
    app.chooseFromMenu("dao3");
    app.chooseFromMenu("daoshike");
    EXPECT_EQ(app.checkedModeItem() + " " + app.display(), "dao3 00:03:00");
    EXPECT_FALSE(f.xiaoshi.checked());
    app.inputBox.answer("10:30");
    app.chooseFromMenu("daoshike");
    EXPECT_TRUE(f.xiaoshi.checked() && f.Label1.visible());
    EXPECT_TRUE(app.notifier.shown.empty());
}

// A minute more at 20 seconds left takes the frame back to plain; the milestones come again at their ticks. A minute
// less takes it on to the stage of the time left at once, without the warning sound.
TEST(MinuteMoreOrLess, TheFrameFollowsTheTimeLeftEitherWay) {
    HeadlessApp app{{.folder = "C:\\Timer"}};
    ui::Form1& f = app.form;
    const auto after = [&](int key, int waitMs) {
        if (key != 0) {
            f.functionKey(key);
        }
        app.wait(waitMs);
        return app.display() + " " + std::to_string(f.Shape1.borderColour());
    };
    app.chooseFromMenu("dao3");
    app.press(f.Command1);
    app.wait(80'000);
    EXPECT_EQ(after(10, 0), "00:00:40 65535");  // 100 -> 40: yellow at once
    EXPECT_EQ(after(0, 20'000), "00:00:20 255");
    app.announcer.heard.clear();
    EXPECT_EQ(after(9, 0), "00:01:20 0");  // 20 -> 80: plain again
    EXPECT_EQ(after(0, 20'000), "00:01:00 65535");
    EXPECT_EQ(after(0, 30'000), "00:00:30 255");
    EXPECT_EQ(app.soundPlayer.played, (std::vector<std::string>{"C:\\Timer\\ti.wav", "C:\\Timer\\ti.wav"}));
    EXPECT_EQ(app.announcer.heard, (std::vector<std::string>{"还剩一分钟", "还剩三十秒"}));

    EXPECT_EQ(after(10, 0).substr(0, 8), "00:00:01");  // 30 -> 1: the next tick ends it at 00:00
    EXPECT_EQ(after(0, 1000).substr(0, 8), "00:00:00");
    EXPECT_EQ(f.model.state().run, core::RunState::Finished);
    EXPECT_EQ(after(9, 0).substr(0, 8), "00:00:00");  // flashing: nothing

    // A minute more that makes an hour shows the hours.
    app.press(f.Command1);
    app.inputBox.answer("59.5");
    app.chooseFromMenu("daodiy");
    app.press(f.Command1);
    EXPECT_FALSE(f.xiaoshi.checked());
    f.functionKey(9);
    EXPECT_TRUE(f.xiaoshi.checked());
}

}  // namespace
}  // namespace zantiro::testing
