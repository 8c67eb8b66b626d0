// The screen stays on exactly while a run is in progress: counting up, counting down, or flashing at the end.
#include <gtest/gtest.h>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

TEST(StayAwake, AskedForByEachRunAndWithdrawnByPauseStopAndExit) {
    HeadlessApp app;
    ui::Form1& f = app.form;
    const auto& requests = app.power.requests;
    EXPECT_TRUE(requests.empty()) << "nothing runs after start-up";

    app.press(f.Command1);  // count up
    EXPECT_TRUE(app.power.awake());
    app.wait(3000);
    app.press(f.Command2);  // pause
    EXPECT_FALSE(app.power.awake());
    app.wait(5000);
    app.press(f.Command2);  // resume
    EXPECT_TRUE(app.power.awake());
    app.press(f.Command1);  // stop
    EXPECT_FALSE(app.power.awake());

    app.chooseFromMenu("dao1");
    app.press(f.Command1);
    app.wait(60'000);  // ends, and flashes
    ASSERT_TRUE(f.Timer4.enabled());
    app.wait(5000);
    EXPECT_TRUE(app.power.awake()) << "flashing at the end is still a run";
    app.press(f.Command1);  // stop
    EXPECT_FALSE(app.power.awake());

    app.press(f.Command3);  // reset, then a countdown that the exit button cuts short
    app.press(f.Command1);
    app.wait(2000);
    app.press(f.Command5);
    ASSERT_TRUE(app.ended());
    // Each change asked once: the running count-up, countdown and flashing did not repeat the request.
    EXPECT_EQ(requests, (std::vector<bool>{true, false, true, false, true, false, true, false}));
}

}  // namespace
}  // namespace zantiro::testing
