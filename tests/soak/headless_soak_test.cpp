// The timer without a screen through a long simulated time of ticks and random user actions, every run-state
// invariant checked after each action. ZANTIRO_SOAK_ACTIONS and ZANTIRO_SOAK_DAYS set the length (make soak: a
// million actions and a year); the defaults are the short run of make test.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/run_state.h"

namespace zantiro::testing {
namespace {

std::int64_t setting(const char* name, std::int64_t fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtoll(value, nullptr, 10) : fallback;
}

TEST(Soak, RandomActionsThroughLongSimulatedTimeKeepEveryInvariant) {
    const std::int64_t actions = setting("ZANTIRO_SOAK_ACTIONS", 10'000);
    const std::int64_t simulatedMs = setting("ZANTIRO_SOAK_DAYS", 1) * 24 * 3600 * 1000;
    const auto began = std::chrono::steady_clock::now();
    HeadlessApp app;
    // Long waits up to 12.5 minutes: a million actions take about a simulated year.
    RandomUser user(20261207, 750'000);
    std::int32_t lastElapsed = 0;
    std::int64_t done = 0;
    for (; (done < actions || app.backend.now() < simulatedMs) && !::testing::Test::HasFailure(); ++done) {
        const std::string step = "action " + std::to_string(done) + ": " + user.act(app);
        ASSERT_FALSE(app.ended()) << step;
        expectRunStateHolds(app, step);
        expectCountUpNeverGoesBack(app, step, lastElapsed);
    }
    expectAwakeRequestsAlternate(app);
    const auto wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("soak: %lld actions over %.1f simulated days in %.1f s\n", static_cast<long long>(done),
                static_cast<double>(app.backend.now()) / (24 * 3600 * 1000.0), wall);
}

}  // namespace
}  // namespace zantiro::testing
