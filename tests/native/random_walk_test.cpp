// A seeded random walk through clicks, menu choices, input box answers and ticks; the run-state table and the
// one-check-per-group rule must hold after every event.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

int countChecked(std::initializer_list<const forms::MenuItem*> group) {
    int checked = 0;
    for (const forms::MenuItem* item : group) {
        checked += item->checked();
    }
    return checked;
}

// The run-state table's rules, and what holds in every state besides.
void expectRunStateHolds(const HeadlessApp& app, const std::string& step) {
    SCOPED_TRACE(step);
    const ui::Form1& f = app.form;
    const core::TimingEngine& t = f.timing;
    EXPECT_EQ(t.brokenRunStateRules(), std::vector<std::string>{});
    EXPECT_TRUE(f.Command5.enabled());
    if (!f.Timer4.enabled()) {
        EXPECT_TRUE(f.Label3.visible() && f.Label4.visible() && f.Label2[1].visible());
    }
    EXPECT_FALSE(f.Label1.visible() || f.Label2[0].visible());
    EXPECT_GE(t.ElapsedSeconds, 0);
    EXPECT_EQ(countChecked({&f.menuzheng, &f.dao1, &f.dao3, &f.dao5, &f.dao10, &f.daodiy}), 1);
    EXPECT_EQ(countChecked({&f.zhong, &f.di, &f.ding, &f.youxia, &f.zuoxia, &f.youshang, &f.zuoshang}), 1);
    EXPECT_EQ(countChecked({&f.tou90, &f.tou80, &f.tou75, &f.tou50, &f.tou30, &f.tou0}), 1);
    EXPECT_TRUE(f.Timer1.enabled());
    const core::RunState state = t.runState();
    EXPECT_EQ(app.power.awake(), state == core::RunState::Running || state == core::RunState::Finished)
        << "the screen is kept on exactly while the time runs or the end flashes";
}

TEST(RandomWalk, EveryEventLeavesAConsistentRunState) {
    const char* const items[] = {"menuzheng", "dao1",  "dao3",  "dao5",   "dao10",  "daodiy",   "yinxiao",
                                 "zhong",     "di",    "ding",  "youxia", "zuoxia", "youshang", "zuoshang",
                                 "tou90",     "tou80", "tou75", "tou50",  "tou30",  "tou0"};
    const char* const answers[] = {"8.5", " 2 ", "-2", "0", "0.04", "abc", "", "1.26", "90", "35791394.2", "0.1"};

    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        HeadlessApp app;
        ui::Form1& f = app.form;
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        std::int32_t lastElapsed = 0;

        for (int event = 0; event < 4000 && !::testing::Test::HasFailure(); ++event) {
            std::string step = "seed " + std::to_string(seed) + " event " + std::to_string(event) + ": ";
            switch (pick(6)) {
                case 0:
                case 1: {
                    forms::CommandButton* const buttons[] = {&f.Command1, &f.Command2, &f.Command3};
                    forms::CommandButton& button = *buttons[pick(3)];
                    step += "press " + button.name() + (app.press(button) ? "" : " (disabled)");
                    break;
                }
                case 2: {
                    // Two answers are always queued: an unanswered question is a Cancel.
                    app.inputBox.answer(std::string(answers[pick(11)]));
                    app.inputBox.answer(std::string(answers[pick(11)]));
                    const bool dismiss = pick(8) == 0;
                    const std::optional<std::string> item =
                        dismiss ? std::nullopt : std::optional<std::string>(items[pick(20)]);
                    step += "menu " + item.value_or("(dismissed)");
                    app.chooseFromMenu(item);
                    while (app.inputBox.pendingAnswers() > 0) {
                        app.inputBox.ask("", "", "");  // drop what was not asked
                    }
                    break;
                }
                case 3:
                    step += "F" + std::to_string(pick(5) + 1);
                    f.functionKey(pick(5) + 1);
                    break;
                default: {
                    const int ms = pick(4) == 0 ? pick(120'000) : pick(2500);
                    step += "wait " + std::to_string(ms);
                    app.wait(ms);
                }
            }
            ASSERT_FALSE(app.ended()) << step;
            expectRunStateHolds(app, step);
            if (f.timing.runState() == core::RunState::Running && f.menuzheng.checked()) {
                EXPECT_GE(f.timing.ElapsedSeconds, lastElapsed) << step;  // never wraps while counting up
            }
            lastElapsed = f.timing.ElapsedSeconds;
        }
        const std::vector<bool>& requests = app.power.requests;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            ASSERT_EQ(requests[i], i % 2 == 0) << "request " << i << " repeats the one before";
        }
    }
}

}  // namespace
}  // namespace zantiro::testing
