// The stopwatch and the run state machine: start, pause, resume, stop and reset.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tests/support/headless_app.h"
#include "tests/support/run_state.h"

namespace zantiro::testing {
namespace {

class CountUp : public ::testing::Test {
protected:
    HeadlessApp app;
    ui::Form1& f = app.form;
};

TEST_F(CountUp, ThreeThousandSixHundredTicksMakeAnHourAndTheWindowStartsAgainAtZero) {
    app.press(f.Command1);
    app.wait(59'000);
    EXPECT_EQ(app.display(), "00:00:59");
    app.wait(1000);
    EXPECT_EQ(app.display(), "00:01:00");
    app.wait(3540'000);
    EXPECT_EQ(app.display(), "01:00:00");
    EXPECT_EQ(f.model.state().elapsedSeconds, 3600);
    EXPECT_EQ(f.Shape1.borderColour(), forms::kWindowTextColour);  // no warning colours when counting up
    EXPECT_TRUE(app.soundPlayer.played.empty());
}

// Pause keeps the count in either mode, and resume waits a full second before the next tick.
struct PauseCase {
    const char* mode;  // the menu item that chooses it; null: count up, as loaded
    int runMs;         // from start to pause
    const char* paused;
    const char* afterResume;  // a second after resuming
    std::int32_t counter;     // the mode's counter then
};

class PauseAndResume : public ::testing::TestWithParam<PauseCase> {};

TEST_P(PauseAndResume, KeepTheCountAndTheNextTickWaitsAFullSecond) {
    const PauseCase& c = GetParam();
    HeadlessApp app;
    ui::Form1& f = app.form;
    if (c.mode != nullptr) {
        app.chooseFromMenu(c.mode);
    }
    const forms::Timer& tickSource = c.mode == nullptr ? f.Timer2 : f.Timer3;
    app.press(f.Command1);
    app.wait(c.runMs);
    EXPECT_EQ(app.display(), c.paused);
    app.press(f.Command2);
    EXPECT_EQ(f.Command2.caption(), "恢 复");
    EXPECT_FALSE(tickSource.enabled());
    app.wait(60'000);
    EXPECT_EQ(app.display(), c.paused);
    app.press(f.Command2);
    EXPECT_EQ(f.Command2.caption(), "暂 停");
    app.wait(999);
    EXPECT_EQ(app.display(), c.paused);
    app.wait(1);
    EXPECT_EQ(app.display(), c.afterResume);
    EXPECT_EQ(c.mode == nullptr ? f.model.state().elapsedSeconds : f.model.state().countdownSeconds, c.counter);
}

INSTANTIATE_TEST_SUITE_P(Modes,
                         PauseAndResume,
                         ::testing::Values(PauseCase{nullptr, 5500, "00:00:05", "00:00:06", 6},
                                           PauseCase{"dao5", 10'500, "00:04:50", "00:04:49", 289}));

TEST_F(CountUp, StartPauseStopLeavesPauseDisabledReadingResumeUntilTheNextStart) {
    app.press(f.Command1);
    app.press(f.Command2);
    app.press(f.Command1);
    EXPECT_FALSE(f.Command2.enabled());
    EXPECT_EQ(f.Command2.caption(), "恢 复");
    app.press(f.Command3);
    app.press(f.Command1);
    EXPECT_EQ(f.Command2.caption(), "暂 停");
    EXPECT_TRUE(f.Timer2.enabled());
}

TEST_F(CountUp, StartAlwaysCountsFromZero) {
    app.press(f.Command1);
    app.wait(5000);
    f.functionKey(9);
    app.press(f.Command1);
    app.press(f.Command3);
    app.press(f.Command1);
    app.wait(1000);
    EXPECT_EQ(app.display(), "00:00:01");
}

TEST_F(CountUp, StopKeepsTheDisplayAndOnlyAResetArmsStartAgain) {
    app.press(f.Command1);
    app.wait(42'000);
    app.press(f.Command1);
    EXPECT_EQ(app.display(), "00:00:42");
    EXPECT_EQ(f.model.state().elapsedSeconds, 0);
    EXPECT_FALSE(app.press(f.Command1));
    app.press(f.Command3);
    EXPECT_EQ(app.display(), "00:00:00");
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_TRUE(f.Command3.enabled());  // a reset leaves the reset button as it was
}

TEST_F(CountUp, ResetTwiceIsResetOnce) {
    app.press(f.Command1);
    app.wait(3000);
    app.press(f.Command1);
    app.press(f.Command3);
    const std::string once = app.display();
    app.press(f.Command3);
    EXPECT_EQ(app.display(), once);
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_TRUE(f.Command3.enabled());
}

TEST_F(CountUp, StopsAtTheLargestCountInsteadOfWrapping) {
    app.press(f.Command1);
    app.wait(5000);
    f.model.addMinutes(35'791'394);  // 2147483640 seconds more: two below the limit
    app.wait(2000);
    EXPECT_EQ(f.model.state().elapsedSeconds, std::numeric_limits<std::int32_t>::max());
    const std::string last = app.display();
    EXPECT_EQ(last, "23:14:07");
    EXPECT_FALSE(f.Timer2.enabled());
    app.wait(5000);
    EXPECT_EQ(f.model.state().elapsedSeconds, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(app.display(), last);
    // A resume at the limit does not step past it either.
    app.press(f.Command2);
    app.press(f.Command2);
    app.wait(5000);
    EXPECT_EQ(f.model.state().elapsedSeconds, std::numeric_limits<std::int32_t>::max());
    app.press(f.Command1);  // stop still works
    EXPECT_EQ(f.model.state().elapsedSeconds, 0);
}

TEST(RunStates, ACountdownGoesThroughAllFiveAndTheRulesNoticeAControlOutOfStep) {
    using core::RunState;
    HeadlessApp app;
    ui::Form1& f = app.form;
    const auto state = [&f] {
        EXPECT_EQ(brokenRunStateRules(f), std::vector<std::string>{});
        return f.model.state().run;
    };
    app.chooseFromMenu("dao1");
    EXPECT_EQ(state(), RunState::Ready);
    app.press(f.Command1);
    EXPECT_EQ(state(), RunState::Running);
    app.press(f.Command2);
    EXPECT_EQ(state(), RunState::Paused);
    app.press(f.Command2);
    app.wait(61'000);
    EXPECT_EQ(state(), RunState::Finished);
    app.press(f.Command1);
    EXPECT_EQ(state(), RunState::Stopped);
    app.press(f.Command3);
    EXPECT_EQ(state(), RunState::Ready);

    f.Timer3.setEnabled(true);  // ticking while ready
    EXPECT_EQ(brokenRunStateRules(f), std::vector<std::string>{"ready: no timer of the run is on"});
    f.Timer3.setEnabled(false);
    f.dao3.setChecked(true);  // three minutes shown as chosen, one counted
    f.dao1.setChecked(false);
    EXPECT_EQ(brokenRunStateRules(f), std::vector<std::string>{"ready: the counter holds the mode's start value"});
}

// The buttons show the run state; their words decide nothing. The same presses with every caption rewritten before
// each one go through the same states and times.
TEST(RunStates, AButtonsWordsDecideNothing) {
    const auto session = [](bool reword) {
        HeadlessApp app;
        ui::Form1& f = app.form;
        std::vector<std::string> seen;
        for (forms::CommandButton* button : {&f.Command1, &f.Command2, &f.Command2, &f.Command1, &f.Command3,
                                             &f.Command4, &f.Command1, &f.Command2, &f.Command1}) {
            for (forms::CommandButton* each : {&f.Command1, &f.Command2, &f.Command3}) {
                each->setCaption(reword ? "Start" : each->caption());
            }
            app.inputBox.answer("0.5");
            button == &f.Command4 ? app.chooseFromMenu("daodiy") : app.press(*button);
            app.wait(button == &f.Command1 ? 31'000 : 2000);  // the half-minute countdown ends on the way
            seen.push_back(std::to_string(static_cast<int>(f.model.state().run)) + " " + app.display());
        }
        return seen;
    };
    EXPECT_EQ(session(true), session(false));
}

}  // namespace
}  // namespace zantiro::testing
