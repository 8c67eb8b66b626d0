// Ctrl+Alt+F1 to F10 in every run state: each runs the handler its F-key or button runs, or nothing where that
// F-key or button is not offered.
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
    // The handler Ctrl+Alt+F1 ... F8 runs in that state ("" for none).
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

TEST_P(HotkeyTable, EachRunsItsButtonsOrFKeysHandlerUnderTheSameGuard) {
    const HotkeyCase& c = GetParam();
    for (int number = 1; number <= ui::kHotkeyCount; ++number) {
        HeadlessApp app;
        ui::Form1& f = app.form;
        c.reach(app);
        ASSERT_EQ(f.timing.runState(), c.state) << c.name;
        app.inputBox.answer("2");

        // Every handler a hotkey may reach, recorded on its way to the handler itself.
        std::vector<std::string> ran;
        const auto record = [&ran](const std::string& name, std::function<void()>& handler) {
            handler = [&ran, name, original = handler] {
                ran.push_back(name);
                original();
            };
        };
        record("Command1", f.Command1.onClick);
        record("Command2", f.Command2.onClick);
        record("Command3", f.Command3.onClick);
        for (forms::MenuItem* item : {&f.dao1, &f.dao3, &f.dao5, &f.dao10, &f.daodiy}) {
            record(item->name(), item->onClick);
        }

        // A minute more or less shows as the change of the mode's counter.
        const auto counter = [&f] {
            return f.menuzheng.checked() ? f.timing.ElapsedSeconds : f.timing.CountdownSeconds;
        };
        const std::int32_t before = counter();
        f.hotkey(number);
        if (number >= 9 && counter() != before) {
            ran.push_back((counter() > before ? "+" : "") + std::to_string(counter() - before) + " s");
        }
        const std::string expected = c.handlers[static_cast<std::size_t>(number - 1)];
        EXPECT_EQ(ran, expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected})
            << "Ctrl+Alt+F" << number << " in " << c.name;
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
