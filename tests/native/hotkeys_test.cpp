// Ctrl+Alt+F1 to F10 in every run state: each does what its F-key or button does, or nothing where that F-key or
// button is not offered.
#include "ui/hotkeys.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

using core::RunState;

struct HotkeyCase {
    const char* name;
    std::function<void(HeadlessApp&)> reach;
    RunState state;
    // What Ctrl+Alt+F1 ... F10 does in that state: the F-key or button it stands for ("" for nothing).
    std::array<const char*, ui::kHotkeyCount> handlers;
};

void PrintTo(const HotkeyCase& c, std::ostream* os) {
    *os << c.name;
}

void stopAfterASecond(HeadlessApp& app) {
    app.press(app.form.Command1);
    app.wait(1000);
    app.press(app.form.Command1);
}

void countDownOneMinute(HeadlessApp& app) {
    app.chooseFromMenu("dao1");
    app.press(app.form.Command1);
}

class HotkeyTable : public ::testing::TestWithParam<HotkeyCase> {};

// What a user can see of the timer, and the counters.
std::string snapshot(const HeadlessApp& app) {
    const ui::Form1& f = app.form;
    std::string seen = app.display() + " " + app.checkedModeItem() + " " +
                       std::to_string(f.model.state().elapsedSeconds) + " " +
                       std::to_string(f.model.state().countdownSeconds);
    for (const forms::CommandButton* button : {&f.Command1, &f.Command2, &f.Command3, &f.Command4}) {
        seen += " " + button->caption() + (button->enabled() ? "+" : "-");
    }
    return seen;
}

TEST_P(HotkeyTable, EachDoesWhatItsButtonOrFKeyDoesUnderTheSameGuard) {
    const HotkeyCase& c = GetParam();
    for (int number = 1; number <= ui::kHotkeyCount; ++number) {
        const std::string expected = c.handlers[static_cast<std::size_t>(number - 1)];
        HeadlessApp byHotkey;
        HeadlessApp byHand;
        for (HeadlessApp* app : {&byHotkey, &byHand}) {
            c.reach(*app);
            ASSERT_EQ(app->form.model.state().run, c.state) << c.name;
            app->inputBox.answer("2");
        }
        const std::string before = snapshot(byHand);
        byHotkey.form.hotkey(number);
        if (expected.starts_with("Command")) {
            forms::CommandButton* const buttons[] = {&byHand.form.Command1, &byHand.form.Command2,
                                                     &byHand.form.Command3};
            EXPECT_TRUE(byHand.press(*buttons[expected[7] - '1']));
        } else if (!expected.empty()) {
            byHand.form.functionKey(number);
        }
        const std::string after = snapshot(byHotkey);
        EXPECT_EQ(after, snapshot(byHand)) << "Ctrl+Alt+F" << number << " in " << c.name;
        if (expected.empty()) {
            EXPECT_EQ(after, before) << "Ctrl+Alt+F" << number << " in " << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    RunStates,
    HotkeyTable,
    ::testing::Values(HotkeyCase{"Ready at start-up, reset disabled",
                                 [](HeadlessApp&) {},
                                 RunState::Ready,
                                 {"dao1", "dao3", "dao5", "dao10", "daodiy", "Command1", "", "", "", ""}},
                      HotkeyCase{"Ready after a reset",
                                 [](HeadlessApp& app) {
                                     stopAfterASecond(app);
                                     app.press(app.form.Command3);
                                 },
                                 RunState::Ready,
                                 {"dao1", "dao3", "dao5", "dao10", "daodiy", "Command1", "", "Command3", "", ""}},
                      HotkeyCase{"Running, counting up",
                                 [](HeadlessApp& app) { app.press(app.form.Command1); },
                                 RunState::Running,
                                 {"", "", "", "", "", "Command2", "Command1", "", "+60 s", ""}},
                      HotkeyCase{"Running, counting down",
                                 countDownOneMinute,
                                 RunState::Running,
                                 {"", "", "", "", "", "Command2", "Command1", "", "+60 s", "-59 s"}},
                      HotkeyCase{"Paused",
                                 [](HeadlessApp& app) {
                                     countDownOneMinute(app);
                                     app.press(app.form.Command2);
                                 },
                                 RunState::Paused,
                                 {"", "", "", "", "", "Command2", "Command1", "", "+60 s", "-59 s"}},
                      HotkeyCase{"Finished, flashing",
                                 [](HeadlessApp& app) {
                                     countDownOneMinute(app);
                                     app.wait(61'000);
                                 },
                                 RunState::Finished,
                                 {"", "", "", "", "", "", "Command1", "", "", ""}},
                      HotkeyCase{"Stopped",
                                 stopAfterASecond,
                                 RunState::Stopped,
                                 {"dao1", "dao3", "dao5", "dao10", "daodiy", "", "", "Command3", "", ""}}),
    [](const ::testing::TestParamInfo<HotkeyCase>& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace zantiro::testing
