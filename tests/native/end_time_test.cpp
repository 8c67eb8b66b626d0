// A countdown to a time of day, and a minute more or less: the seconds to the end on the wall clock, the box, and
// the frame's warnings after a jump either way.
#include <gtest/gtest.h>

#include "core/clock_time.h"
#include "effects/warning_colours.h"
#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

struct UntilCase {
    forms::TimeOfDay now;
    core::ClockTime end;
    std::int32_t seconds;  // the count it starts with
    int firstTickMs;
};

class SecondsUntil : public ::testing::TestWithParam<UntilCase> {};

TEST_P(SecondsUntil, CountsWholeSecondsToTheNextMomentAndTicksOnTheClocksSeconds) {
    const UntilCase& c = GetParam();
    EXPECT_EQ(core::secondsUntil(c.now, c.end), c.seconds);
    EXPECT_EQ(core::millisecondsToNextSecond(c.now), c.firstTickMs);
}

INSTANTIATE_TEST_SUITE_P(Clock,
                         SecondsUntil,
                         ::testing::Values(UntilCase{{11, 29, 0, 300}, {11, 30}, 60, 700},
                                           UntilCase{{11, 29, 59, 999}, {11, 30}, 1, 1},          // a second before it
                                           UntilCase{{11, 30, 0, 0}, {11, 30}, 24 * 3600, 1000},  // on the minute
                                           UntilCase{{11, 30, 0, 1}, {11, 30}, 24 * 3600, 999},
                                           UntilCase{{23, 59, 30, 0}, {0, 5}, 330, 1000},  // after midnight
                                           UntilCase{{0, 0, 1, 500}, {23, 59}, 86339, 500}));

TEST(EndTime, TheBoxOffersTheNextFullHourAsksAgainAndTheCountReachesZeroAsTheClockShowsTheTime) {
    HeadlessApp app;
    ui::Form1& f = app.form;
    app.regional.now = {9, 59, 0, 250};
    app.inputBox.answer("noon");
    app.inputBox.answer("10：00");
    app.chooseFromMenu("daoshike");
    ASSERT_EQ(app.inputBox.questions.size(), 2u);
    for (const ScriptedInputBox::Question& question : app.inputBox.questions) {
        EXPECT_EQ(question.title, "输入结束时刻");
        EXPECT_EQ(question.prompt, "例如 11:30");
        EXPECT_EQ(question.defaultText, "10:00");
    }
    EXPECT_EQ(app.checkedModeItem(), "daoshike");
    EXPECT_EQ(f.timing.runState(), core::RunState::Running);  // started at once
    EXPECT_EQ(app.display(), "00:01:00");
    EXPECT_TRUE(app.power.awake());
    app.wait(749);
    EXPECT_EQ(app.display(), "00:01:00");
    app.wait(1);  // 9:59:01.000
    EXPECT_EQ(app.display(), "00:00:59");
    app.wait(59'000);  // 10:00:00.000
    EXPECT_EQ(f.timing.runState(), core::RunState::Finished);

    // Stopped, then reset a few seconds later: the time left to the same end, counted towards it again.
    app.press(f.Command1);
    app.regional.now = {9, 0, 0, 600};
    app.press(f.Command3);
    EXPECT_EQ(app.display(), "01:00:00");
    app.press(f.Command1);
    app.wait(400);
    EXPECT_EQ(app.display(), "00:59:59");

    // Cancel changes nothing.
    app.press(f.Command1);
    app.chooseFromMenu("dao3");
    app.chooseFromMenu("daoshike");
    EXPECT_EQ(app.checkedModeItem(), "dao3");
    EXPECT_EQ(app.display(), "00:03:00");
    EXPECT_FALSE(f.xiaoshi.checked());

    // An hour or more away shows the hours by itself, and says nothing.
    app.inputBox.answer("10:30");
    app.chooseFromMenu("daoshike");
    EXPECT_TRUE(f.xiaoshi.checked());
    EXPECT_TRUE(f.Label1.visible());
    EXPECT_TRUE(app.notifier.shown.empty());
}

// A minute more at 20 seconds left takes the frame back to plain; the milestones come again at their ticks. A minute
// less takes it on to the stage of the time left at once, without the warning sound.
TEST(MinuteMoreOrLess, TheFrameFollowsTheTimeLeftEitherWay) {
    HeadlessApp app{{.folder = "C:\\Timer"}};
    ui::Form1& f = app.form;
    app.chooseFromMenu("dao3");
    app.press(f.Command1);
    app.wait(80'000);
    f.functionKey(10);  // 100 -> 40
    EXPECT_EQ(app.display(), "00:00:40");
    EXPECT_EQ(f.Shape1.borderColour(), effects::kYellow);
    app.wait(20'000);
    EXPECT_EQ(f.Shape1.borderColour(), effects::kRed);
    f.functionKey(9);  // 20 -> 80
    EXPECT_EQ(app.display(), "00:01:20");
    EXPECT_EQ(f.Shape1.borderColour(), effects::kBlack);
    app.announcer.heard.clear();
    app.wait(20'000);
    EXPECT_EQ(f.Shape1.borderColour(), effects::kYellow);
    app.wait(30'000);
    EXPECT_EQ(f.Shape1.borderColour(), effects::kRed);
    EXPECT_EQ(app.soundPlayer.played,
              (std::vector<std::string>{"C:\\Timer\\ti.wav", "C:\\Timer\\ti.wav"}));  // the first at 30 before
    EXPECT_EQ(app.announcer.heard, (std::vector<std::string>{"还剩一分钟", "还剩三十秒"}));

    f.functionKey(10);  // 30 -> 1, the next tick ends it at 00:00
    EXPECT_EQ(app.display(), "00:00:01");
    app.wait(1000);
    EXPECT_EQ(app.display(), "00:00:00");
    EXPECT_EQ(f.timing.runState(), core::RunState::Finished);
    f.functionKey(9);  // flashing: nothing
    EXPECT_EQ(app.display(), "00:00:00");

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
