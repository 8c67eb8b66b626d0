// The window's scale: the wheel's steps in twips and pixels, the work area's limit, the point each placement pins.
// (tests/e2e/scale.sh shows the scaled window is the window of that DPI, placed by the same formulas.)
#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

constexpr int kControl = 2;

// 1920 x 1080 pixels at 96 dpi, the taskbar's 40 pixels below the work area.
HeadlessOptions desktop(int scale = 0) {
    return {.workArea = {0, 0, 28800, 15600}, .scale = scale};
}

void wheel(HeadlessApp& app, int notches, int shift = kControl) {
    app.form.window.onMouseWheel(notches, shift);
}

// What a scale changes: the DPI drawn at, the window in pixels, its width as it reads back in twips, the frame's
// width and the seconds' left edge in twips.
std::string geometry(const HeadlessApp& app) {
    const forms::Window& window = app.form.window;
    const forms::PixelRect& rect = window.pixels();
    const auto number = [](float value) {
        return std::to_string(value).substr(0, std::to_string(value).find('.') + 2);
    };
    return std::to_string(window.scale()) + "% " + std::to_string(window.dpi()) + " dpi " + std::to_string(rect.width) +
           "x" + std::to_string(rect.height) + " at " + std::to_string(rect.left) + "," + std::to_string(rect.top) +
           " width " + number(window.width()) + " frame " + number(app.form.Shape1.width()) + " seconds at " +
           number(app.form.Label4.left());
}

TEST(WindowScale, CtrlWheelStepsThroughEveryScaleAroundTheCentreAndBack) {
    HeadlessApp app(desktop());
    app.chooseFromMenu("zhong");
    const std::string start = geometry(app);
    EXPECT_EQ(start, "100% 96 dpi 261x163 at 830,459 width 3915.0 frame 3850.0 seconds at 2325.0");
    wheel(app, 1, 0);  // the plain wheel
    wheel(app, 1, 1);  // with Shift
    EXPECT_EQ(geometry(app), start);

    const char* const larger[] = {
        "125% 120 dpi 327x204 at 797,439 width 3924.0 frame 3859.0 seconds at 2328.0",
        "150% 144 dpi 392x245 at 765,418 width 3920.0 frame 3855.0 seconds at 2330.0",
        "200% 192 dpi 523x327 at 699,377 width 3922.5 frame 3857.5 seconds at 2325.0",
        "250% 240 dpi 653x408 at 634,337 width 3918.0 frame 3853.0 seconds at 2328.0",
        "300% 288 dpi 784x490 at 569,296 width 3920.0 frame 3855.0 seconds at 2325.0",
        "400% 384 dpi 1045x653 at 438,214 width 3918.7 frame 3853.7 seconds at 2325.0",
        "400% 384 dpi 1045x653 at 438,214 width 3918.7 frame 3853.7 seconds at 2325.0",  // the last step stays
    };
    for (const char* expected : larger) {
        wheel(app, 1);
        EXPECT_EQ(geometry(app), expected);
    }
    wheel(app, -3);  // three notches at once: 300, 250, 200
    EXPECT_EQ(geometry(app), larger[2]);
    wheel(app, -5);
    EXPECT_EQ(geometry(app), start);  // back where it was, to the pixel
}

TEST(WindowScale, NoStepLargerThanTheWorkAreaAndAnyPercentBetweenSteps) {
    // 1024 x 768 with a 40-pixel taskbar: 400 % (1045 pixels wide) does not fit, 300 % (784 x 490) does.
    HeadlessOptions small{.screenWidthTwips = 15360, .screenHeightTwips = 11520, .workArea = {0, 0, 15360, 10920}};
    small.scale = 400;
    HeadlessApp asked(small);
    EXPECT_EQ(asked.form.window.scale(), 300);
    EXPECT_EQ(asked.form.window.pixels().width, 784);
    wheel(asked, 1);
    EXPECT_EQ(asked.form.window.scale(), 300);
    asked.chooseFromMenu("xiaoshi");  // 1224 pixels at 300 %, 1021 at 250 %
    EXPECT_EQ(asked.form.window.pixels().width, 1021);

    small.scale = 137;
    HeadlessApp between(small);
    EXPECT_EQ(between.form.window.pixels().width, 3920 * 132 / 1440);  // 96 x 1.37 = 131.5 dpi, drawn at 132
    wheel(between, -1);
    EXPECT_EQ(between.form.window.scale(), 125);
    wheel(between, 1);
    wheel(between, 1);
    EXPECT_EQ(between.form.window.scale(), 200);

    // Too small for the design itself: 100 % stays, whatever is asked.
    HeadlessApp tiny({.screenWidthTwips = 3000, .screenHeightTwips = 2000, .scale = 200});
    EXPECT_EQ(tiny.form.window.scale(), 100);
}

struct AnchorCase {
    const char* item;
    double across, down;  // the pinned point: 0, a half or all of the window's width and height
};

class PinnedPoint : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(PinnedPoint, StaysWhereItWasAtEveryStep) {
    HeadlessApp app;  // no taskbar: every preset lies inside the work area
    app.chooseFromMenu(GetParam().item);
    const auto pinned = [&app] {
        const forms::PixelRect& rect = app.form.window.pixels();
        return std::pair{rect.left + GetParam().across * rect.width, rect.top + GetParam().down * rect.height};
    };
    const auto [x, y] = pinned();
    for (int step = 0; step < 6; ++step) {
        wheel(app, 1);
        EXPECT_NEAR(pinned().first, x, 0.5) << app.form.window.scale() << "%";
        EXPECT_NEAR(pinned().second, y, 0.5) << app.form.window.scale() << "%";
    }
    EXPECT_EQ(app.form.window.scale(), 400);
}

INSTANTIATE_TEST_SUITE_P(Presets,
                         PinnedPoint,
                         ::testing::Values(AnchorCase{"zhong", 0.5, 0.5},
                                           AnchorCase{"di", 0.5, 1},
                                           AnchorCase{"ding", 0.5, 0},
                                           AnchorCase{"youxia", 1, 1},
                                           AnchorCase{"zuoxia", 0, 1},
                                           AnchorCase{"youshang", 1, 0},
                                           AnchorCase{"zuoshang", 0, 0}),
                         [](const auto& info) { return std::string(info.param.item); });

TEST(WindowScale, PushedBackIntoTheWorkAreaAndKeptAcrossADpiChange) {
    HeadlessApp app(desktop());
    app.chooseFromMenu("youxia");        // placed over the taskbar: the presets measure the whole screen
    app.form.window.movedTo(1900, 300);  // dragged half off the right edge; the corner stays the anchor
    wheel(app, 3);
    const forms::PixelRect& rect = app.form.window.pixels();
    EXPECT_EQ(rect.left + rect.width, 1920);
    EXPECT_EQ(rect.top + rect.height, 300 + 163);

    app.backend.changeDpi(120, rect);  // another monitor: 125 % under the user's 200 %
    EXPECT_EQ(app.form.window.scale(), 200);
    EXPECT_EQ(app.form.window.dpi(), 240);
    EXPECT_EQ(app.form.Shape1.width(), app.form.window.width() - 65);
}

// The design's row closed up from 120 twips, in a window wider by the hours and their colon (98 and 49 pixels) whose
// bottom right corner stays where the placement put it.
TEST(Hours, ShowTheWholeRowInAWindowWiderByItsWidthAndBack) {
    HeadlessApp app;
    const ui::Form1& f = app.form;
    app.chooseFromMenu("youxia");
    const std::string today = geometry(app);
    app.chooseFromMenu("xiaoshi");
    EXPECT_EQ(geometry(app), "100% 96 dpi 408x163 at 1511,910 width 6120.0 frame 6055.0 seconds at 4530.0");
    EXPECT_EQ((std::vector{f.Label1.left(), f.Label2[0].left(), f.Label3.left(), f.Label2[1].left()}),
              (std::vector{120.f, 1590.f, 2325.f, 3795.f}));
    EXPECT_TRUE(f.Label1.visible() && f.Label2[0].visible());
    app.inputBox.answer("90");
    app.chooseFromMenu("daodiy");  // no notice: the hours show
    app.chooseFromMenu("xiaoshi");
    EXPECT_EQ(geometry(app) + std::to_string(app.notifier.shown.size()), today + "0");
}

}  // namespace
}  // namespace zantiro::testing
