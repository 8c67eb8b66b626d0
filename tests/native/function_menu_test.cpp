// The function button: reset, the popup menu, the custom length's input box, the F keys and exit.
#include <gtest/gtest.h>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

class FunctionMenu : public ::testing::Test {
protected:
    HeadlessApp app;
    ui::Form1& f = app.form;

    void stopAfter(int seconds) {
        app.press(f.Command1);
        app.wait(1000LL * seconds);
        app.press(f.Command1);
    }
};

TEST_F(FunctionMenu, DismissedStillResetsAndArmsStartAndDisarmsReset) {
    stopAfter(42);
    ASSERT_EQ(app.display(), "00:00:42");
    ASSERT_TRUE(f.Command3.enabled());
    app.chooseFromMenu(std::nullopt);
    EXPECT_EQ(app.popupMenu.shown, 1);
    EXPECT_EQ(app.display(), "00:00:00");
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_FALSE(f.Command3.enabled());
    EXPECT_EQ(f.Shape1.borderColour(), 0u);
}

TEST_F(FunctionMenu, ButtonsAfterTheMenuOverrideWhateverTheItemDid) {
    // An item that re-enables reset and disables start, as a stop would.
    f.yinxiao.onClick = [this] {
        f.Command3.setEnabled(true);
        f.Command1.setEnabled(false);
    };
    app.chooseFromMenu("yinxiao");
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_FALSE(f.Command3.enabled());
}

TEST_F(FunctionMenu, TheResetRunsBeforeTheMenuOpens) {
    app.chooseFromMenu("dao3");
    stopAfter(5);
    bool displayWasResetWhenMenuOpened = false;
    f.yinxiao.onClick = [&] { displayWasResetWhenMenuOpened = app.display() == "00:03:00"; };
    app.chooseFromMenu("yinxiao");
    EXPECT_TRUE(displayWasResetWhenMenuOpened);
}

TEST_F(FunctionMenu, APresetChecksItsItemAloneAndShowsItsLength) {
    app.chooseFromMenu("dao3");
    EXPECT_EQ(f.model.state().countdownSeconds, 180);
    EXPECT_EQ(app.display(), "00:03:00");
    EXPECT_EQ(app.checkedModeItem(), "dao3");
    app.chooseFromMenu("dao3");  // again: the same values again
    EXPECT_EQ(f.model.state().countdownSeconds, 180);
    EXPECT_EQ(app.checkedModeItem(), "dao3");
    app.chooseFromMenu("menuzheng");
    EXPECT_EQ(app.checkedModeItem(), "menuzheng");
    EXPECT_EQ(app.display(), "00:00:00");
}

TEST_F(FunctionMenu, TheCustomLengthAsksWithTitlePromptAndDefault) {
    app.inputBox.answer("8.5");
    app.chooseFromMenu("daodiy");
    ASSERT_EQ(app.inputBox.questions.size(), 1u);
    EXPECT_EQ(app.inputBox.questions[0].title, "输入Vorlenk时间");
    EXPECT_EQ(app.inputBox.questions[0].prompt, "以分钟为单位。\r\n可精确到小数点后 1 位。\r\n如8分30秒可输入“8.5”。");
    EXPECT_EQ(app.inputBox.questions[0].defaultText, "8.5");
    EXPECT_DOUBLE_EQ(f.model.state().customMinutes, 8.5);
    EXPECT_EQ(f.model.state().countdownSeconds, 510);
    EXPECT_EQ(app.display(), "00:08:30");
    EXPECT_EQ(app.checkedModeItem(), "daodiy");
}

TEST_F(FunctionMenu, TheDefaultTextUsesTheUsersDecimalSeparator) {
    app.regional.separator = ",";
    app.inputBox.answer("2,5");
    app.chooseFromMenu("daodiy");
    EXPECT_EQ(app.inputBox.questions[0].defaultText, "8,5");
    EXPECT_EQ(f.model.state().countdownSeconds, 150);
}

struct Answers {
    const char* name;
    std::vector<std::optional<std::string>> typed;
    std::size_t questions;
    bool accepted;
    std::int32_t seconds;
    const char* display;
};

class CustomAnswers : public ::testing::TestWithParam<Answers> {};

TEST_P(CustomAnswers, ChangeEverythingOrNothing) {
    HeadlessApp app;
    app.chooseFromMenu("dao5");  // the state a cancel must leave alone
    for (const auto& text : GetParam().typed) {
        app.inputBox.answer(text);
    }
    app.chooseFromMenu("daodiy");
    EXPECT_EQ(app.inputBox.questions.size(), GetParam().questions);
    for (const auto& question : app.inputBox.questions) {
        EXPECT_EQ(question.defaultText, "8.5");  // never the rejected text
    }
    // With the hours hidden, an hour or more shows only its minutes and seconds: the notice says where to show them.
    EXPECT_EQ(app.notifier.shown.size(), GetParam().accepted && GetParam().seconds >= 3600 ? 1u : 0u);
    if (GetParam().accepted) {
        EXPECT_EQ(app.checkedModeItem(), "daodiy");
        EXPECT_EQ(app.form.model.state().countdownSeconds, GetParam().seconds);
        EXPECT_EQ(app.display(), GetParam().display);
    } else {
        EXPECT_EQ(app.checkedModeItem(), "dao5");
        EXPECT_EQ(app.form.model.state().countdownSeconds, 300);
        EXPECT_EQ(app.display(), "00:05:00");
        EXPECT_DOUBLE_EQ(app.form.model.state().customMinutes, 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries,
    CustomAnswers,
    ::testing::Values(Answers{"Cancel", {std::nullopt}, 1, false, 0, ""},
                      Answers{"Empty", {""}, 1, false, 0, ""},
                      Answers{"OnlySpaces", {"   "}, 1, false, 0, ""},
                      Answers{"AbcThenCancel", {"abc", std::nullopt}, 2, false, 0, ""},
                      Answers{"TwoWithSpaces", {" 2 "}, 1, true, 120, "00:02:00"},
                      Answers{"MinusTwo", {"-2"}, 1, true, -120, "00:-2:00"},
                      Answers{"RoundsToZero", {"0.04"}, 1, true, 0, "00:00:00"},
                      Answers{"Ninety", {"90"}, 1, true, 5400, "01:30:00"},
                      Answers{"OneTwentySix", {"1.26"}, 1, true, 78, "00:01:18"},
                      Answers{"TooLargeThenValid", {"35791394.2", "8.5"}, 2, true, 510, "00:08:30"},
                      Answers{"TooSmallThenCancel", {"-99999999999", std::nullopt}, 2, false, 0, ""},
                      Answers{"LargestThatFits", {"35791394.1"}, 1, true, 2147483646, "23:14:06"}),
    [](const auto& info) { return info.param.name; });

TEST_F(FunctionMenu, AResetWithTheCustomItemComputesTheSecondsAgain) {
    app.inputBox.answer("8.5");
    app.chooseFromMenu("daodiy");
    stopAfter(100);
    EXPECT_EQ(app.display(), "00:06:50");
    app.press(f.Command3);
    EXPECT_EQ(f.model.state().countdownSeconds, 510);
    EXPECT_EQ(app.display(), "00:08:30");
}

TEST_F(FunctionMenu, FunctionKeysChooseTheirCountdownAsTheMenuWould) {
    stopAfter(3);
    f.functionKey(3);
    EXPECT_EQ(app.checkedModeItem(), "dao5");
    EXPECT_EQ(app.display(), "00:05:00");
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_FALSE(f.Command3.enabled());
    EXPECT_EQ(app.popupMenu.shown, 0);

    app.inputBox.answer("1.5");
    f.functionKey(5);
    EXPECT_EQ(f.model.state().countdownSeconds, 90);
    f.functionKey(1);
    EXPECT_EQ(f.model.state().countdownSeconds, 60);
    f.functionKey(2);
    EXPECT_EQ(f.model.state().countdownSeconds, 180);
    f.functionKey(4);
    EXPECT_EQ(f.model.state().countdownSeconds, 600);
    f.functionKey(6);
    EXPECT_EQ(f.model.state().countdownSeconds, 600);
}

TEST_F(FunctionMenu, FunctionKeysDoNothingWhileARunIsInProgress) {
    app.chooseFromMenu("dao1");
    app.press(f.Command1);
    app.wait(2000);
    f.functionKey(4);  // running
    EXPECT_EQ(app.display(), "00:00:58");
    EXPECT_TRUE(f.Timer3.enabled());
    app.press(f.Command2);
    f.functionKey(4);  // paused
    app.press(f.Command2);
    app.wait(58'000);
    EXPECT_TRUE(f.Timer4.enabled());
    f.functionKey(4);  // finished, flashing
    EXPECT_TRUE(f.Timer4.enabled());
    EXPECT_EQ(app.checkedModeItem(), "dao1");
    EXPECT_EQ(f.model.state().countdownSeconds, 0);
}

TEST_F(FunctionMenu, TheExitButtonEndsTheProgramAtOnceEvenWhileFlashing) {
    app.chooseFromMenu("dao1");
    app.press(f.Command1);
    app.wait(61'000);
    ASSERT_TRUE(f.Timer4.enabled());
    EXPECT_TRUE(app.press(f.Command5));
    EXPECT_TRUE(app.ended());
    EXPECT_FALSE(app.press(f.Command1));
    const auto played = app.soundPlayer.played.size();
    app.wait(10'000);
    EXPECT_EQ(app.soundPlayer.played.size(), played);
}

TEST_F(FunctionMenu, TheExitItemEndsTheProgramBeforeTheButtonsChange) {
    stopAfter(2);
    ASSERT_TRUE(f.Command3.enabled());
    app.chooseFromMenu("menuexit");
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(f.Command3.enabled());  // the step that disables it never ran
}

}  // namespace
}  // namespace zantiro::testing
