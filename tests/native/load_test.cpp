// Start-up: the window as it is first shown, and the window-system intents on the way.
#include <gtest/gtest.h>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

TEST(Load, RemovesTheTitleBarThenMakesTheWindowTopmostAndLeavesItOpaque) {
    HeadlessApp app;
    EXPECT_EQ(app.windowSystem.intents, (std::vector<std::string>{"removeTitleBar", "makeTopmost"}));
    EXPECT_FALSE(app.windowSystem.opacity.has_value()) << "not layered until a transparency is chosen";
}

TEST(Load, SizesAndCentresTheWindowInWholePixels) {
    HeadlessApp app;  // 1920 pixels wide at 96 dpi
    const forms::Window& window = app.form.window;
    EXPECT_EQ(window.pixels().width, 261);
    EXPECT_EQ(window.pixels().height, 163);
    EXPECT_FLOAT_EQ(window.width(), 3915);
    EXPECT_FLOAT_EQ(window.height(), 2445);
    EXPECT_EQ(window.pixels().left, 830);  // 12442.5 twips
    EXPECT_EQ(window.pixels().top, 1);     // 20 twips
}

TEST(Load, AtHigherDpiTheSizeReadsBackAsSet) {
    HeadlessApp app({.screenWidthTwips = 19200, .screenHeightTwips = 10800, .dpi = 144});
    const forms::Window& window = app.form.window;
    EXPECT_EQ(window.pixels().width, 392);
    EXPECT_EQ(window.pixels().height, 245);
    EXPECT_FLOAT_EQ(window.width(), 3920);
    EXPECT_EQ(window.pixels().left, 764);  // (19200 - 3920) / 2 twips
    EXPECT_FLOAT_EQ(app.form.Shape1.width(), 3855);
}

TEST(Load, ANarrowScreenLeavesTheWindowPartlyOffTheLeftEdge) {
    HeadlessApp app({.screenWidthTwips = 3000});
    EXPECT_LT(app.form.window.pixels().left, 0);
}

TEST(Load, LaysOutTheFrameAndTheDigitsInOneRow) {
    HeadlessApp app;
    const ui::Form1& f = app.form;
    EXPECT_FLOAT_EQ(f.Shape1.left(), 25);
    EXPECT_FLOAT_EQ(f.Shape1.top(), 25);
    EXPECT_FLOAT_EQ(f.Shape1.width(), 3850);
    EXPECT_FLOAT_EQ(f.Shape1.height(), 1455);
    EXPECT_EQ(f.Shape1.borderWidth(), 5);
    EXPECT_FLOAT_EQ(f.Label3.left(), 120);
    EXPECT_FLOAT_EQ(f.Label2[1].left(), 1590);
    EXPECT_FLOAT_EQ(f.Label4.left(), 2325);
    EXPECT_FLOAT_EQ(f.Label4.left() + f.Label4.width(), 3795);
    for (const forms::Label* digits : {&f.Label1, &f.Label2[0], &f.Label3, &f.Label2[1], &f.Label4}) {
        EXPECT_EQ(digits->foreColour(), 255u) << digits->name();
        EXPECT_FLOAT_EQ(digits->top(), 0) << digits->name();
    }
    EXPECT_FALSE(f.Label1.visible());
    EXPECT_FALSE(f.Label2[0].visible());
    EXPECT_FLOAT_EQ(f.Label1.left(), 120);  // the hidden labels keep their design places
    EXPECT_FLOAT_EQ(f.Label2[0].left(), 1560);
}

// Dragged from a 100 % onto a 150 % monitor, the window looks as if it had started there: the frame's width and
// the digits' places, derived from pixel sizes at load, are derived again.
TEST(DpiChange, LaysOutFrameAndDigitsAsAStartAtTheNewDpiWould) {
    HeadlessApp moved;
    const HeadlessApp started({.dpi = 144});
    ASSERT_FLOAT_EQ(moved.form.Shape1.width(), 3850);
    moved.backend.changeDpi(144, forms::PixelRect{830, 1, 392, 245});

    EXPECT_FLOAT_EQ(moved.form.window.width(), 3920);
    EXPECT_FLOAT_EQ(moved.form.Shape1.width(), started.form.Shape1.width());
    EXPECT_FLOAT_EQ(moved.form.Label2[1].left(), started.form.Label2[1].left());
    EXPECT_FLOAT_EQ(moved.form.Label4.left(), started.form.Label4.left());
    EXPECT_FLOAT_EQ(moved.form.Label4.left(), 2330) << "the colon is 74 pixels at 144 dpi, not 73.5";
}

TEST(Load, PreparesTimersButtonsAndCheckMarks) {
    HeadlessApp app;
    const ui::Form1& f = app.form;
    EXPECT_TRUE(f.Timer1.enabled());
    EXPECT_EQ(f.Timer1.interval(), 1000);
    for (const forms::Timer* timer : {&f.Timer2, &f.Timer3}) {
        EXPECT_FALSE(timer->enabled());
        EXPECT_EQ(timer->interval(), 1000);
    }
    EXPECT_FALSE(f.Timer4.enabled());
    EXPECT_EQ(f.Timer4.interval(), 500);

    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_FALSE(f.Command2.enabled());
    EXPECT_FALSE(f.Command3.enabled());
    EXPECT_TRUE(f.Command4.enabled());
    EXPECT_TRUE(f.Command5.enabled());
    EXPECT_EQ(f.Command1.caption(), "开 始");
    EXPECT_EQ(f.Command2.caption(), "暂 停");

    std::vector<std::string> checked;
    std::function<void(const forms::MenuItem&)> collect = [&](const forms::MenuItem& menu) {
        for (const forms::MenuItem* item : menu.items()) {
            if (item->checked()) {
                checked.push_back(item->caption());
            }
            collect(*item);
        }
    };
    collect(f.menucaidan);
    EXPECT_EQ(checked, (std::vector<std::string>{"正计时", "音效", "默认铃声", "顶部居中", "0%"}));
    EXPECT_EQ(app.display(), "00:00:00");
    EXPECT_EQ(f.model.state().elapsedSeconds, 0);
    EXPECT_EQ(f.model.state().countdownSeconds, 0);
}

TEST(WallClock, ShowsTheDesignCaptionUntilTheFirstTickThenTheRegionalTime) {
    HeadlessApp app;
    app.regional.timeText = "9:05:03";
    app.wait(999);
    EXPECT_EQ(app.form.Label6.caption(), "00:00:00");
    app.wait(1);
    EXPECT_EQ(app.form.Label6.caption(), "9:05:03");
    app.regional.timeText = "9:05:04";
    app.wait(1000);
    EXPECT_EQ(app.form.Label6.caption(), "9:05:04");
}

TEST(WallClock, KeepsRunningThroughRunsPausesAndFlashing) {
    HeadlessApp app;
    app.chooseFromMenu("dao1");
    app.press(app.form.Command1);
    app.wait(30'000);
    app.press(app.form.Command2);  // pause
    app.regional.timeText = "paused";
    app.wait(1000);
    EXPECT_EQ(app.form.Label6.caption(), "paused");
    app.press(app.form.Command2);
    app.wait(31'000);  // finished and flashing
    ASSERT_TRUE(app.form.Timer4.enabled());
    app.regional.timeText = "flashing";
    app.wait(1000);
    EXPECT_EQ(app.form.Label6.caption(), "flashing");
    EXPECT_TRUE(app.form.Label6.visible());
}

}  // namespace
}  // namespace zantiro::testing
