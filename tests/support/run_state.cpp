// The run-state invariants and the random user shared by the random walk test and the soak.
#include "tests/support/run_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/custom_length.h"
#include "core/timer_model.h"

namespace zantiro::testing {
namespace {

int countChecked(std::initializer_list<const forms::MenuItem*> group) {
    int checked = 0;
    for (const forms::MenuItem* item : group) {
        checked += item->checked();
    }
    return checked;
}

}  // namespace

std::vector<std::string> brokenRunStateRules(const ui::Form1& f) {
    std::vector<std::string> broken;
    const auto require = [&broken](bool holds, const char* rule) {
        if (!holds) {
            broken.emplace_back(rule);
        }
    };
    const core::TimerState& t = f.model.state();
    const bool countUp = f.menuzheng.checked();
    const bool ticking = f.Timer2.enabled() || f.Timer3.enabled();
    switch (t.run) {
        case core::RunState::Ready: {
            require(!f.Command2.enabled() && f.Command4.enabled(), "ready: pause off, function menu on");
            require(!ticking && !f.Timer4.enabled(), "ready: no timer of the run is on");
            const std::optional<std::int32_t> startSeconds =
                f.dao1.checked()     ? 60
                : f.dao3.checked()   ? 180
                : f.dao5.checked()   ? 300
                : f.dao10.checked()  ? 600
                : f.daodiy.checked() ? core::minutesToSeconds(t.customMinutes)
                                     : std::optional<std::int32_t>();  // to a time of day: as the reset's clock said
            require(countUp ? t.elapsedSeconds == 0
                            : f.daoshike.checked() || t.countdownSeconds == startSeconds.value_or(0),
                    "ready: the counter holds the mode's start value");
            break;
        }
        case core::RunState::Running:
            require(f.Command1.enabled() && f.Command2.enabled(), "running: stop and pause on");
            require(!f.Command3.enabled() && !f.Command4.enabled(), "running: reset and function menu off");
            require(f.Timer2.enabled() == countUp && f.Timer3.enabled() == !countUp,
                    "running: only the mode's tick source is on");
            break;
        case core::RunState::Paused:
            require(f.Command2.caption() == "恢 复", "paused: the pause button offers resume");
            require(f.Command1.enabled() && f.Command2.enabled(), "paused: stop and resume on");
            require(!f.Command3.enabled() && !f.Command4.enabled(), "paused: reset and function menu off");
            require(!ticking, "paused: no tick source is on");
            break;
        case core::RunState::Finished:
            require(!countUp, "finished: only a countdown finishes");
            require(f.Command1.enabled() && !f.Command2.enabled(), "finished: stop on, pause off");
            require(!f.Command3.enabled() && !f.Command4.enabled(), "finished: reset and function menu off");
            require(!ticking || (t.pastZero && f.Timer3.enabled()), "finished: no tick source on, but past zero");
            require(t.countdownSeconds <= 0, "finished: no countdown seconds left");
            break;
        case core::RunState::Stopped:
            require(!f.Command2.enabled(), "stopped: pause off");
            require(f.Command3.enabled() && f.Command4.enabled(), "stopped: reset and function menu on");
            require(!ticking && !f.Timer4.enabled(), "stopped: no timer of the run is on");
            require(t.elapsedSeconds == 0 && t.countdownSeconds == 0, "stopped: both counters 0");
            break;
    }
    return broken;
}

void expectCountUpNeverGoesBack(const HeadlessApp& app, const std::string& step, std::int32_t& last) {
    const ui::Form1& f = app.form;
    if (f.model.state().run == core::RunState::Running && f.menuzheng.checked()) {
        EXPECT_GE(f.model.state().elapsedSeconds, last - (step.ends_with("F10") ? 60 : 0)) << step;
    }
    last = f.model.state().elapsedSeconds;
}

void expectRunStateHolds(const HeadlessApp& app, const std::string& step) {
    SCOPED_TRACE(step);
    const ui::Form1& f = app.form;
    const core::TimerState& t = f.model.state();
    EXPECT_EQ(brokenRunStateRules(f), std::vector<std::string>{});
    EXPECT_TRUE(f.Command5.enabled());
    if (!f.Timer4.enabled()) {
        EXPECT_TRUE(f.Label3.visible() && f.Label4.visible() && f.Label2[1].visible());
    }
    // The hours and their colon show while 显示小时 is checked, and flash with the minutes.
    EXPECT_EQ(f.Label1.visible(), f.xiaoshi.checked() && f.Label3.visible());
    EXPECT_EQ(f.Label2[0].visible(), f.Label1.visible());
    EXPECT_GE(t.elapsedSeconds, 0);
    EXPECT_EQ(countChecked({&f.menuzheng, &f.dao1, &f.dao3, &f.dao5, &f.dao10, &f.daodiy, &f.daoshike}), 1);
    EXPECT_EQ(countChecked({&f.zhong, &f.di, &f.ding, &f.youxia, &f.zuoxia, &f.youshang, &f.zuoshang}), 1);
    EXPECT_EQ(countChecked({&f.tou90, &f.tou80, &f.tou75, &f.tou50, &f.tou30, &f.tou0}), 1);
    EXPECT_TRUE(f.Timer1.enabled());
    const core::RunState state = t.run;
    EXPECT_EQ(app.power.awake(), state == core::RunState::Running || state == core::RunState::Finished)
        << "the screen is kept on exactly while the time runs or the end flashes";
}

void expectAwakeRequestsAlternate(const HeadlessApp& app) {
    const std::vector<bool>& requests = app.power.requests;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        ASSERT_EQ(requests[i], i % 2 == 0) << "request " << i << " repeats the one before";
    }
}

std::string RandomUser::act(HeadlessApp& app) {
    static const char* const kItems[] = {"menuzheng", "dao1",     "dao3",     "dao5",    "dao10",   "daodiy",
                                         "daoshike",  "yinxiao",  "zhong",    "di",      "ding",    "youxia",
                                         "zuoxia",    "youshang", "zuoshang", "tou90",   "tou80",   "tou75",
                                         "tou50",     "tou30",    "tou0",     "xiaoshi", "chaoshi", "biaoti"};
    static const char* const kAnswers[] = {"8.5",  " 2 ", "-2",         "0",   "0.04", "abc",  "",
                                           "1.26", "90",  "35791394.2", "0.1", "9:42", "24:00"};
    static const int kKeys[] = {1, 2, 3, 4, 5, 9, 10};
    ui::Form1& f = app.form;
    switch (pick(6)) {
        case 0:
        case 1: {
            forms::CommandButton* const buttons[] = {&f.Command1, &f.Command2, &f.Command3};
            forms::CommandButton& button = *buttons[pick(3)];
            return "press " + button.name() + (app.press(button) ? "" : " (disabled)");
        }
        case 2: {
            // Two answers are always queued: an unanswered question is a Cancel.
            app.inputBox.answer(std::string(kAnswers[pick(std::size(kAnswers))]));
            app.inputBox.answer(std::string(kAnswers[pick(std::size(kAnswers))]));
            const bool dismiss = pick(8) == 0;
            const std::optional<std::string> item =
                dismiss ? std::nullopt : std::optional<std::string>(kItems[pick(std::size(kItems))]);
            app.chooseFromMenu(item);
            while (app.inputBox.pendingAnswers() > 0) {
                app.inputBox.ask("", "", "");  // drop what was not asked
            }
            return "menu " + item.value_or("(dismissed)");
        }
        case 3: {
            const int key = kKeys[pick(std::size(kKeys))];
            f.functionKey(key);
            return "F" + std::to_string(key);
        }
        default: {
            const int ms = pick(4) == 0 ? pick(longestWaitMs_) : pick(2500);
            app.wait(ms);
            return "wait " + std::to_string(ms);
        }
    }
}

}  // namespace zantiro::testing
