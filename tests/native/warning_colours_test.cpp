// The palette draw, the flashing colours and the generator's reseeding.
#include "effects/warning_colours.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "effects/clock_seeded_random.h"

namespace zantiro::effects {
namespace {

TEST(Palette, HoldsTheTenWarningColoursInOrder) {
    EXPECT_EQ(WarningPalette, (std::array<Colour, 10>{255, 65280, 16711680, 65535, 16776960, 16711935, 139, 1262987,
                                                      2128372, 4266477}));
}

TEST(Palette, EachTenthOfTheRangePicksItsEntry) {
    for (int index = 0; index < 10; ++index) {
        EXPECT_EQ(paletteColourFor(static_cast<float>(index) / 10 + 0.001f), WarningPalette[index]);
    }
    EXPECT_EQ(paletteColourFor(0.0f), WarningPalette[0]);
    EXPECT_EQ(paletteColourFor(0.99999994f), WarningPalette[9]);  // the largest float below 1
}

TEST(Channel, RoundsHalvesToEvenAndCapsAt255) {
    EXPECT_EQ(channelFor(0.0f), 0);
    EXPECT_EQ(channelFor(0.49f / 256), 0);
    EXPECT_EQ(channelFor(0.5f / 256), 0);  // 0.5 goes to the even 0
    EXPECT_EQ(channelFor(1.5f / 256), 2);  // 1.5 goes to the even 2
    EXPECT_EQ(channelFor(254.5f / 256), 254);
    EXPECT_EQ(channelFor(255.5f / 256), 255);  // 256 counts as 255
    EXPECT_EQ(channelFor(0.99999994f), 255);
}

TEST(ClockSeededRandom, DrawsStayInRangeAndTheSameSeedRepeatsTheSequence) {
    std::uint64_t seed = 42;
    ClockSeededRandom random([&] { return seed; });
    random.reseed();
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) {
        const float u = random.next();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        first.push_back(u);
    }
    random.reseed();
    EXPECT_EQ(random.next(), first[0]);
    seed = 43;
    random.reseed();
    EXPECT_NE(random.next(), first[0]);
}

TEST(ClockSeededRandom, ReseedsFromTheRealClockHalfASecondApartNeverShareASeed) {
    std::set<std::uint64_t> seeds;
    for (int i = 0; i < 1000; ++i) {
        seeds.insert(nanosecondSeed());
    }
    EXPECT_GT(seeds.size(), 900u);  // nanoseconds: consecutive readings differ
    const std::uint64_t before = nanosecondSeed();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GE(nanosecondSeed() - before, 2'000'000u);
}

TEST(RandomWarningColour, GivesOnlyPaletteColoursWithEqualFrequency) {
    std::uint64_t tick = 1'000'000'000;
    ClockSeededRandom random([&] { return tick += 500'000'000; });  // reseeded every 500 ms
    forms::Shape shape("Shape1", {});
    forms::Timer timer("Timer4", 500, false);
    forms::Label l3("Label3", {}), l4("Label4", {}), l21("Label2(1)", {}), l1("Label1", {}), l20("Label2(0)", {});
    const forms::MenuItem xiaoshi("xiaoshi", {});
    WarningColours colours({shape, timer, l3, l4, l21, l1, l20, xiaoshi}, random);
    std::map<Colour, int> counts;
    constexpr int kDraws = 100'000;
    for (int i = 0; i < kDraws; ++i) {
        ++counts[static_cast<Colour>(colours.RandomWarningColour())];
    }
    ASSERT_EQ(counts.size(), 10u);
    for (const Colour colour : WarningPalette) {
        EXPECT_NEAR(counts[colour], kDraws / 10, kDraws / 100) << colour;
    }
}

TEST(Flashing, ConsecutiveTicksReseededHalfASecondApartChangeColour) {
    std::uint64_t now = 7'000'000'000;
    ClockSeededRandom random([&] { return now += 500'000'000; });
    forms::Shape shape("Shape1", {});
    forms::Timer timer("Timer4", 500, true);
    forms::Label l3("Label3", {}), l4("Label4", {}), l21("Label2(1)", {});
    forms::Label l1("Label1", {{}, false}), l20("Label2(0)", {{}, false});  // the hours, hidden until 显示小时
    forms::MenuItem xiaoshi("xiaoshi", {});
    WarningColours colours({shape, timer, l3, l4, l21, l1, l20, xiaoshi}, random);
    Colour previous = shape.borderColour();
    int repeats = 0;
    for (int tick = 0; tick < 1000; ++tick) {
        xiaoshi.setChecked(tick > 500);  // checked while the minutes are hidden, as the hours are
        colours.Timer4_Tick();
        repeats += shape.borderColour() == previous;
        previous = shape.borderColour();
        EXPECT_EQ(l3.visible(), tick % 2 == 1);
        EXPECT_EQ(l4.visible(), l3.visible());
        EXPECT_EQ(l21.visible(), l3.visible());
        EXPECT_EQ(l1.visible() + l20.visible(), tick > 500 && l3.visible() ? 2 : 0) << tick;
    }
    EXPECT_EQ(repeats, 0);
    colours.StopFlashing();
    EXPECT_FALSE(timer.enabled());
    EXPECT_TRUE(l3.visible() && l4.visible() && l21.visible() && l1.visible() && l20.visible());
    EXPECT_EQ(shape.borderColour(), kBlack);
}

}  // namespace
}  // namespace zantiro::effects
