// The palette draw, the flashing colours and the generator's reseeding.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "core/clock_seeded_random.h"
#include "core/frame_colours.h"
#include "core/timer_model.h"

namespace zantiro::core {
namespace {

TEST(Palette, HoldsTheTenWarningColoursInOrder) {
    EXPECT_EQ(kWarningPalette, (std::array<Colour, 10>{255, 65280, 16711680, 65535, 16776960, 16711935, 139, 1262987,
                                                       2128372, 4266477}));
}

TEST(Palette, EachTenthOfTheRangePicksItsEntry) {
    for (int index = 0; index < 10; ++index) {
        EXPECT_EQ(paletteColourFor(static_cast<float>(index) / 10 + 0.001f), kWarningPalette[index]);
    }
    EXPECT_EQ(paletteColourFor(0.0f), kWarningPalette[0]);
    EXPECT_EQ(paletteColourFor(0.99999994f), kWarningPalette[9]);  // the largest float below 1
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
    std::map<Colour, int> counts;
    constexpr int kDraws = 100'000;
    for (int i = 0; i < kDraws; ++i) {
        ++counts[randomPaletteColour(random)];
    }
    ASSERT_EQ(counts.size(), 10u);
    for (const Colour colour : kWarningPalette) {
        EXPECT_NEAR(counts[colour], kDraws / 10, kDraws / 100) << colour;
    }
}

struct FixedClock final : TimeSource {
    TimeOfDay timeOfDay() override { return {10, 0, 0, 0}; }
};

TEST(Flashing, ConsecutiveTicksReseededHalfASecondApartChangeColourAndTheStopEndsThem) {
    std::uint64_t now = 7'000'000'000;
    ClockSeededRandom random([&] { return now += 500'000'000; });
    FixedClock clock;
    TimerModel model(random, clock);
    model.chooseCustomLength({0.0, 0});
    model.startOrStop();
    model.countdownTick();
    ASSERT_EQ(model.state().run, RunState::Finished);
    Colour previous = *model.state().frameColour;
    int repeats = 0;
    for (int tick = 0; tick < 1000; ++tick) {
        model.flashTick();
        repeats += model.state().frameColour == previous;
        previous = *model.state().frameColour;
        EXPECT_EQ(model.state().digitsHidden, tick % 2 == 0);
    }
    EXPECT_EQ(repeats, 0);
    model.startOrStop();
    EXPECT_FALSE(model.state().digitsHidden);
    EXPECT_EQ(model.state().frameColour, kBlack);
}

}  // namespace
}  // namespace zantiro::core
