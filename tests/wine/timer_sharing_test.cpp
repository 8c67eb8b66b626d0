// The wall clock's timer sharing the counting timers' wake-ups: it moves onto their grid without skipping or
// repeating a second, whatever the phase of the start and of the wall clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/timer_scheduler.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::Timer;
using forms::win32::TimerScheduler;

std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

struct SharedRun {
    std::vector<std::int64_t> clockTicks;
    std::vector<std::int64_t> shownSeconds;  // the wall-clock second of each clock tick's due moment
    std::set<std::int64_t> leaderTicks;
};

// Clock from 0, the leader (interval 1000 or 500) started at `start` with its first tick `firstTick` later; every
// millisecond a WM_TIMER for each.
SharedRun run(std::int64_t start, int leaderInterval, int firstTick, std::int64_t wallOffset, std::int64_t until) {
    std::int64_t now = 0;
    std::set<UINT_PTR> armed;
    TimerScheduler scheduler(TimerScheduler::SystemTimer{[&](UINT_PTR id, UINT) { return armed.insert(id), true; },
                                                         [&](UINT_PTR id) { armed.erase(id); }},
                             [&now] { return now; });
    Timer clock("Timer1", 1000, true);
    Timer leader("Timer2", leaderInterval, false);
    SharedRun result;
    clock.onTick = [&] {
        result.clockTicks.push_back(now);
        result.shownSeconds.push_back(floorDiv(*scheduler.tickDue() + wallOffset, 1000));
    };
    leader.onTick = [&] { result.leaderTicks.insert(now); };
    scheduler.add(clock);
    scheduler.add(leader);
    scheduler.shareWakeUps(clock, [&] { return now + wallOffset; });
    TimerObserver observer(scheduler);
    leader.setObserver(&observer);
    for (; now <= until; ++now) {
        if (now == start) {
            leader.startWithFirstTickIn(firstTick);
        }
        for (const UINT_PTR id : std::set<UINT_PTR>(armed)) {
            scheduler.onTimerMessage(id);
        }
    }
    return result;
}

TEST(TimerSharing, ClockMovesOntoTheCountingGridAndShowsEverySecondOnce) {
    // Plain enabling gives a full interval; a countdown to a time of day starts off the grid, on the wall's second.
    for (const auto& [leaderInterval, firstTick] :
         std::initializer_list<std::pair<int, int>>{{1000, 1000}, {500, 500}, {1000, 1}, {1000, 300}, {1000, 999}}) {
        for (const std::int64_t start : {1, 400, 999, 1000, 1001, 1500, 1998}) {
            for (const std::int64_t wallOffset : {0, 1, 250, 600, 999, -1}) {
                SCOPED_TRACE(testing::Message() << "leader every " << leaderInterval << " ms from " << start << ", "
                                                << firstTick << " to its first, wall clock " << wallOffset << " ahead");
                const SharedRun result = run(start, leaderInterval, firstTick, wallOffset, 8000);
                ASSERT_GE(result.clockTicks.size(), 6u);
                for (std::size_t i = 1; i < result.shownSeconds.size(); ++i) {
                    EXPECT_EQ(result.shownSeconds[i], result.shownSeconds[i - 1] + 1) << "clock tick " << i;
                }
                // From the leader's second tick on, each clock tick comes in a leader's wake-up.
                for (const std::int64_t tick : result.clockTicks) {
                    if (tick >= start + 2 * leaderInterval) {
                        EXPECT_EQ(result.leaderTicks.count(tick), 1u) << "clock tick at " << tick;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace zantiro::wine_tests
