// Placement presets, transparency levels and dragging, as the window system sees them.
#include <gtest/gtest.h>

#include "forms/monitors.h"
#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

// 1920 x 1080 pixels at 144 dpi: the window reports 3920 x 2450 twips.
HeadlessOptions screen19200x10800() {
    return {.screenWidthTwips = 19200, .screenHeightTwips = 10800, .dpi = 144};
}

struct PlacementCase {
    const char* item;
    float left, top;  // twips
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, PutsTheWindowWhereItsItemSaysAndMovesTheCheckMark) {
    HeadlessApp app(screen19200x10800());
    app.chooseFromMenu(GetParam().item);
    const forms::PixelRect& rect = app.form.window.pixels();
    EXPECT_EQ(rect.left, forms::twipsToPixels(GetParam().left, 144));
    EXPECT_EQ(rect.top, forms::twipsToPixels(GetParam().top, 144));
    int checked = 0;
    for (const forms::MenuItem* item : app.form.weizhi.items()) {
        checked += item->checked();
        EXPECT_EQ(item->checked(), item->name() == GetParam().item) << item->name();
    }
    EXPECT_EQ(checked, 1);
}

INSTANTIATE_TEST_SUITE_P(Presets,
                         Placement,
                         ::testing::Values(PlacementCase{"zhong", 7640, 4175},
                                           PlacementCase{"di", 7640, 8250},
                                           PlacementCase{"ding", 7640, 10},
                                           PlacementCase{"youxia", 15270, 8250},
                                           PlacementCase{"zuoxia", 0, 8250},
                                           PlacementCase{"youshang", 15280, 0},
                                           PlacementCase{"zuoshang", 0, 0}),
                         [](const auto& info) { return std::string(info.param.item); });

TEST(PlacementMoves, ChoosingTheCheckedItemAgainBringsADraggedWindowBack) {
    HeadlessApp app(screen19200x10800());
    app.chooseFromMenu("youxia");
    app.form.window.movedTo(10, 10);  // dragged
    EXPECT_TRUE(app.form.youxia.checked());
    app.chooseFromMenu("youxia");
    EXPECT_EQ(app.form.window.pixels().left, 1527);
}

TEST(PlacementMoves, ReadsTheScreenSizeAtEveryChoiceAndDoesNotClamp) {
    HeadlessApp app(screen19200x10800());
    app.screen.resize(3000, 2000);  // smaller than the window
    app.chooseFromMenu("zhong");
    EXPECT_LT(app.form.window.pixels().left, 0);
    EXPECT_LT(app.form.window.pixels().top, 0);
}

TEST(PlacementMoves, TouchesNeitherTimersNorStyles) {
    HeadlessApp app;
    const auto intentsBefore = app.windowSystem.intents.size();
    app.chooseFromMenu("zuoxia");
    EXPECT_EQ(app.windowSystem.intents.size(), intentsBefore);
}

// Beside the 1920 x 1080 primary monitor (pixels at 144 dpi, twips / 10): a projector on its right and a screen
// on its left, higher up.
class PlacementOnMonitors : public ::testing::Test {
protected:
    PlacementOnMonitors() {
        app.screen.plugIn({-19200, -5400, 19200, 10800});
        app.screen.plugIn({19200, 0, 15360, 11520});
    }
    void expectAt(float left, float top) const {
        EXPECT_EQ(app.form.window.pixels().left, forms::twipsToPixels(left, 144));
        EXPECT_EQ(app.form.window.pixels().top, forms::twipsToPixels(top, 144));
    }

    HeadlessApp app{screen19200x10800()};
};

TEST_F(PlacementOnMonitors, PresetsUseTheMonitorThatHoldsMostOfTheWindow) {
    app.form.window.movedTo(1920 - 100, 300);  // 100 of its 392 pixels on the primary, the rest on the projector
    app.chooseFromMenu("youxia");
    expectAt(19200 + 15360 - 3920 - 10, 11520 - 2450 - 100);
    app.chooseFromMenu("zuoshang");
    expectAt(19200, 0);

    app.form.window.movedTo(-1000, -300);  // dragged onto the left screen
    app.chooseFromMenu("zhong");
    expectAt(-19200 + (19200 - 3920) / 2.0f, -5400 + (10800 - 2450) / 2.0f);
    app.chooseFromMenu("youshang");
    expectAt(-3920, -5400);
}

TEST_F(PlacementOnMonitors, AWindowLeftOnNoMonitorWhenOneGoesAwayComesBackToItsStartOnThePrimary) {
    app.form.window.movedTo(2500, 400);  // on the projector
    app.chooseFromMenu("youxia");
    app.form.window.displayChanged();  // a change that leaves the window on a monitor
    expectAt(30630, 8970);

    app.screen.unplugLast();  // the projector
    app.form.window.displayChanged();
    expectAt((19200 - 3920) / 2.0f, 20);
    EXPECT_TRUE(app.form.youxia.checked()) << "the check mark stays, as after a drag";
}

TEST(MonitorNumbers, ThePrimaryThenLeftToRightThenTopToBottom) {
    // Beside the primary: two on its right (the lower one first), one below it, one on its left (lower down).
    const std::vector<forms::MonitorArea> monitors{
        {0, 0, 9, 9}, {9, 4, 9, 9}, {9, -5, 9, 9}, {0, 9, 9, 9}, {-9, 5, 9, 9}};
    const auto top = [&](int number) { return forms::monitorNumbered(monitors, number).value().top; };
    EXPECT_EQ((std::vector{top(1), top(2), top(3), top(4), top(5)}), (std::vector<float>{0, 5, 9, -5, 4}));
}

struct AlphaCase {
    const char* item;
    int alpha;
};

class Transparency : public ::testing::TestWithParam<AlphaCase> {};

TEST_P(Transparency, MakesTheWindowLayeredWithTheItemsAlpha) {
    HeadlessApp app;
    app.windowSystem.intents.clear();
    app.chooseFromMenu(GetParam().item);
    EXPECT_EQ(app.windowSystem.intents, (std::vector<std::string>{"setOpacity " + std::to_string(GetParam().alpha)}));
    for (const forms::MenuItem* item : app.form.touming.items()) {
        EXPECT_EQ(item->checked(), item->name() == GetParam().item) << item->name();
    }
}

INSTANTIATE_TEST_SUITE_P(Levels,
                         Transparency,
                         ::testing::Values(AlphaCase{"tou90", 26},
                                           AlphaCase{"tou80", 51},
                                           AlphaCase{"tou75", 64},
                                           AlphaCase{"tou50", 128},
                                           AlphaCase{"tou30", 179},
                                           AlphaCase{"tou0", 255}),
                         [](const auto& info) { return std::string(info.param.item); });

TEST(TransparencyLevels, FiftyThenZeroIsOpaqueAgain) {
    HeadlessApp app;
    app.chooseFromMenu("tou50");
    app.chooseFromMenu("tou0");
    EXPECT_EQ(app.windowSystem.opacity, 255);
}

TEST(Drag, TheLeftButtonAloneOverABackgroundOrLabelHandsTheMoveToTheSystem) {
    HeadlessApp app;
    ui::Form1& f = app.form;
    std::vector<std::function<void(int)>> sources = {
        [&](int b) { f.window.onMouseMove(b, 0, 10, 10); }, [&](int b) { f.Label3.onMouseMove(b, 0, 1, 1); },
        [&](int b) { f.Label4.onMouseMove(b, 0, 1, 1); },   [&](int b) { f.Label2[1].onMouseMove(b, 0, 1, 1); },
        [&](int b) { f.Label5.onMouseMove(b, 1, 1, 1); },   [&](int b) { f.Label6.onMouseMove(b, 0, 1, 1); },
        [&](int b) { f.Label1.onMouseMove(b, 0, 1, 1); },   [&](int b) { f.Label2[0].onMouseMove(b, 0, 1, 1); },
    };
    for (std::size_t i = 0; i < sources.size(); ++i) {
        for (int buttons : {0, 2, 3, 4, 5, 7}) {
            app.windowSystem.intents.clear();
            sources[i](buttons);
            EXPECT_TRUE(app.windowSystem.intents.empty()) << "source " << i << " buttons " << buttons;
        }
        app.windowSystem.intents.clear();
        sources[i](1);
        EXPECT_EQ(app.windowSystem.intents, (std::vector<std::string>{"beginDrag"})) << "source " << i;
    }
    EXPECT_TRUE(f.ding.checked());  // dragging moves no check mark
}

}  // namespace
}  // namespace zantiro::testing
