// Countdowns as a user lives them: milestones, colours, sounds, the end, the flashing and the stop.
#include <gtest/gtest.h>

#include "core/frame_colours.h"
#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

using core::kWarningPalette;

class Countdown : public ::testing::Test {
protected:
    HeadlessApp app{{.folder = "C:\\Timer"}};
    ui::Form1& f = app.form;

    void tick() { app.wait(1000); }
    void ticks(int n) { app.wait(1000LL * n); }
};

TEST_F(Countdown, OneMinuteWithSoundThroughEveryMilestoneToTheStop) {
    ASSERT_TRUE(app.chooseFromMenu("dao1"));
    EXPECT_EQ(app.display(), "00:01:00");
    ASSERT_TRUE(app.press(f.Command1));
    EXPECT_EQ(f.Command1.caption(), "停 止");
    EXPECT_EQ(f.Command2.caption(), "暂 停");
    EXPECT_TRUE(f.Command2.enabled());
    EXPECT_FALSE(f.Command3.enabled());
    EXPECT_FALSE(f.Command4.enabled());

    tick();
    EXPECT_EQ(app.display(), "00:00:59");
    EXPECT_EQ(f.Shape1.borderColour(), 0u);  // started at 60: never yellow
    ticks(28);
    EXPECT_EQ(app.display(), "00:00:31");
    EXPECT_TRUE(app.soundPlayer.played.empty());

    tick();
    EXPECT_EQ(app.display(), "00:00:30");
    EXPECT_EQ(app.soundPlayer.played, std::vector<std::string>{"C:\\Timer\\ti.wav"});
    EXPECT_EQ(f.Shape1.borderColour(), 255u);
    ticks(19);
    EXPECT_EQ(app.display(), "00:00:11");
    EXPECT_EQ(f.Shape1.borderColour(), 255u);

    const int reseedsBefore = app.random.reseeds;
    for (int left = 10; left >= 0; --left) {  // the zero tick takes one more random colour
        const float u = static_cast<float>(left % 10) / 10 + 0.05f;
        app.random.script({u});
        tick();
        EXPECT_EQ(f.Shape1.borderColour(), kWarningPalette[static_cast<std::size_t>(left % 10)]) << left;
        EXPECT_EQ(f.model.state().countdownSeconds, left) << left;
    }
    EXPECT_EQ(app.random.reseeds, reseedsBefore + 11);  // a reseed before every draw
    EXPECT_EQ(app.display(), "00:00:00");
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_TRUE(f.Timer4.enabled());
    EXPECT_FALSE(f.Command2.enabled());
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_EQ(f.Command1.caption(), "停 止");
    EXPECT_EQ(app.soundPlayer.played, (std::vector<std::string>{"C:\\Timer\\ti.wav", "C:\\Timer\\ling.wav"}));

    // Flashing: a random colour and the three labels toggled every 500 ms.
    for (int flash = 1; flash <= 5; ++flash) {
        app.random.script({0.0f, 0.5f, 0.99999994f});
        app.wait(500);
        EXPECT_EQ(f.Shape1.borderColour(), forms::rgb(0, 128, 255)) << flash;
        const bool shown = flash % 2 == 0;
        EXPECT_EQ(f.Label3.visible(), shown) << flash;
        EXPECT_EQ(f.Label4.visible(), shown) << flash;
        EXPECT_EQ(f.Label2[1].visible(), shown) << flash;
        EXPECT_FALSE(f.Label1.visible());
        EXPECT_FALSE(f.Label2[0].visible());
    }
    EXPECT_EQ(app.soundPlayer.played.size(), 2u);  // flashing plays nothing

    ASSERT_TRUE(app.press(f.Command1));  // stop in the hidden half
    EXPECT_TRUE(f.Label3.visible());
    EXPECT_TRUE(f.Label4.visible());
    EXPECT_TRUE(f.Label2[1].visible());
    EXPECT_EQ(f.Shape1.borderColour(), 0u);
    EXPECT_FALSE(f.Timer4.enabled());
    EXPECT_EQ(f.Command1.caption(), "开 始");
    EXPECT_FALSE(f.Command1.enabled());
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_TRUE(f.Command4.enabled());
    EXPECT_FALSE(app.press(f.Command1));  // start stays disabled until a reset
    app.wait(5000);
    EXPECT_EQ(app.display(), "00:00:00");
    ASSERT_TRUE(app.press(f.Command3));
    EXPECT_EQ(app.display(), "00:01:00");
    EXPECT_EQ(f.model.state().countdownSeconds, 60);
    EXPECT_TRUE(f.Command1.enabled());
}

TEST_F(Countdown, WithTheSoundSwitchOffShowsTheSameColoursAndPlaysNothing) {
    app.chooseFromMenu("yinxiao");
    EXPECT_FALSE(f.yinxiao.checked());
    app.chooseFromMenu("dao1");
    app.press(f.Command1);
    ticks(30);
    EXPECT_EQ(f.Shape1.borderColour(), 255u);
    ticks(29);
    app.random.script({0.75f});
    tick();
    EXPECT_EQ(f.Shape1.borderColour(), kWarningPalette[7]);
    EXPECT_TRUE(f.Timer4.enabled());
    EXPECT_TRUE(app.soundPlayer.played.empty());
}

TEST_F(Countdown, TheSoundSwitchIsReadAtTheMomentOfEachSound) {
    app.chooseFromMenu("dao1");
    app.press(f.Command1);
    ticks(30);            // warning played with the switch on
    f.yinxiao.onClick();  // the switch flips; a playing sound goes on
    ticks(30);
    EXPECT_EQ(app.soundPlayer.played, std::vector<std::string>{"C:\\Timer\\ti.wav"});
}

TEST_F(Countdown, ThreeMinutesTurnYellowAtOneMinuteLeft) {
    app.chooseFromMenu("dao3");
    app.press(f.Command1);
    ticks(119);
    EXPECT_EQ(app.display(), "00:01:01");
    EXPECT_EQ(f.Shape1.borderColour(), 0u);
    tick();
    EXPECT_EQ(app.display(), "00:01:00");
    EXPECT_EQ(f.Shape1.borderColour(), 65535u);
    ticks(29);
    EXPECT_EQ(f.Shape1.borderColour(), 65535u);
    tick();
    EXPECT_EQ(f.Shape1.borderColour(), 255u);
}

TEST_F(Countdown, StartedAtZeroEndsAtItsFirstTickShowingMinusOne) {
    app.inputBox.answer("0");
    app.chooseFromMenu("daodiy");
    ASSERT_EQ(f.model.state().countdownSeconds, 0);
    app.press(f.Command1);
    tick();
    EXPECT_EQ(app.display(), "00:00:-1");
    EXPECT_TRUE(f.Timer4.enabled());
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(app.soundPlayer.played, std::vector<std::string>{"C:\\Timer\\ling.wav"});
}

TEST_F(Countdown, NinetyMinutesShowMinutesWithinTheHour) {
    app.inputBox.answer("90");
    app.chooseFromMenu("daodiy");
    EXPECT_EQ(app.display(), "01:30:00");
    app.press(f.Command1);
    ticks(30 * 60);
    EXPECT_EQ(app.display(), "01:00:00");
    tick();
    EXPECT_EQ(app.display(), "00:59:59");
}

TEST_F(Countdown, StopKeepsTheDisplayWhileBothCountersAreZeroAndResetRearms) {
    app.chooseFromMenu("dao3");
    app.press(f.Command1);
    ticks(10);
    app.press(f.Command1);
    EXPECT_EQ(app.display(), "00:02:50");
    EXPECT_EQ(f.model.state().countdownSeconds, 0);
    EXPECT_EQ(f.model.state().elapsedSeconds, 0);
    ticks(3);
    EXPECT_EQ(app.display(), "00:02:50");
    app.press(f.Command3);
    EXPECT_EQ(app.display(), "00:03:00");
    EXPECT_EQ(f.model.state().countdownSeconds, 180);
}

}  // namespace
}  // namespace zantiro::testing
