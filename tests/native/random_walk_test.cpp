// A seeded random walk through clicks, menu choices, input box answers and ticks; the run-state table and the
// one-check-per-group rule must hold after every event.
#include <gtest/gtest.h>

#include "tests/support/run_state.h"

namespace zantiro::testing {
namespace {

TEST(RandomWalk, EveryEventLeavesAConsistentRunState) {
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        HeadlessApp app;
        RandomUser user(seed, 120'000);
        std::int32_t lastElapsed = 0;

        for (int event = 0; event < 4000 && !::testing::Test::HasFailure(); ++event) {
            const std::string step =
                "seed " + std::to_string(seed) + " event " + std::to_string(event) + ": " + user.act(app);
            ASSERT_FALSE(app.ended()) << step;
            expectRunStateHolds(app, step);
            expectCountUpNeverGoesBack(app, step, lastElapsed);
        }
        expectAwakeRequestsAlternate(app);
    }
}

}  // namespace
}  // namespace zantiro::testing
