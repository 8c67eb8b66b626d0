// The timer grid on the real clock and real WM_TIMER messages, with bounds generous enough for a busy machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/timer_scheduler.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::Timer;
using forms::win32::TimerScheduler;

class RealClockTimers : public ::testing::Test {
protected:
    RealClockTimers() {
        window.onTimer = [this](UINT_PTR id) {
            ++messages;
            scheduler.onTimerMessage(id);
        };
    }

    void start(Timer& timer) {
        scheduler.add(timer);
        timer.setObserver(&observer);
    }

    static std::int64_t clock() { return TimerScheduler::steadyMilliseconds(); }

    int messages = 0;
    TestWindow window{WS_OVERLAPPEDWINDOW, L"real clock timers"};
    TimerScheduler scheduler{window.hwnd(), &TimerScheduler::steadyMilliseconds};
    TimerObserver observer{scheduler};
};

TEST_F(RealClockTimers, SteadyClockCountsMilliseconds) {
    const std::int64_t before = clock();
    const ULONGLONG tickBefore = GetTickCount64();
    Sleep(200);
    const auto elapsed = clock() - before;
    const auto tickElapsed = static_cast<std::int64_t>(GetTickCount64() - tickBefore);
    EXPECT_GE(elapsed, 190);
    EXPECT_NEAR(elapsed, tickElapsed, 40);
}

// How late a tick comes depends on the machine's load; which grid point it was due at does not. Each tick is
// recorded as the moment it ran and the grid point it served.
struct Tick {
    std::int64_t ran, due;
};

TEST_F(RealClockTimers, SlowHandlerKeepsTwentyTicksOnTheGrid) {
    Timer timer("Timer1", 100, false);
    std::vector<Tick> ticks;
    timer.onTick = [&] {
        ticks.push_back({clock(), scheduler.tickDue().value_or(-1)});
        Sleep(30);
    };
    start(timer);
    const std::int64_t before = clock();
    timer.setEnabled(true);
    const std::int64_t after = clock();
    pumpUntil([&ticks] { return ticks.size() >= 20; }, 8000);
    ASSERT_EQ(ticks.size(), 20u);
    const std::int64_t origin = ticks[0].due - 100;
    EXPECT_GE(origin, before);
    EXPECT_LE(origin, after);
    for (std::size_t k = 1; k <= ticks.size(); ++k) {
        const std::int64_t grid = origin + static_cast<std::int64_t>(k) * 100;
        EXPECT_EQ(ticks[k - 1].due, grid) << "tick " << k << " is off the grid, or one was dropped or made up";
        EXPECT_GE(ticks[k - 1].ran, grid) << "tick " << k << " came before its grid point";
    }
}

TEST_F(RealClockTimers, AHandlerBusyForTwoIntervalsMakesTheNextTickLateAndTheOneAfterIsDropped) {
    Timer timer("Timer1", 100, false);
    std::vector<Tick> ticks;
    timer.onTick = [&] {
        ticks.push_back({clock(), scheduler.tickDue().value_or(-1)});
        if (ticks.size() == 1) {
            Sleep(250);  // 100..350: the tick due at 200 comes late, the one at 300 is dropped
        }
    };
    start(timer);
    timer.setEnabled(true);
    pumpUntil([&ticks] { return ticks.size() >= 4; }, 3000);
    timer.setEnabled(false);
    ASSERT_EQ(ticks.size(), 4u);
    const std::int64_t origin = ticks[0].due - 100;
    EXPECT_EQ(ticks[1].due, origin + 200);  // late, once, at its own grid point: the grid does not move
    EXPECT_GE(ticks[1].ran, ticks[0].ran + 250);
    EXPECT_GE(ticks[2].due, origin + 400);  // 300 passed while the handler ran: dropped, not made up
    EXPECT_EQ((ticks[2].due - origin) % 100, 0);
    EXPECT_EQ(ticks[3].due, ticks[2].due + 100);
}

TEST_F(RealClockTimers, EnablingAStoppedTimerWaitsOneFullInterval) {
    Timer timer("Timer1", 150, true);
    std::vector<std::int64_t> ticks;
    std::vector<std::int64_t> dues;
    timer.onTick = [&] {
        ticks.push_back(clock());
        dues.push_back(scheduler.tickDue().value_or(-1));
    };
    start(timer);
    pumpFor(100);
    timer.setEnabled(false);
    pumpFor(30);
    ASSERT_TRUE(ticks.empty());
    const std::int64_t enabled = clock();
    timer.setEnabled(true);  // a stale grid would fire at 150 from the first start, 20 ms from now
    const std::int64_t enabledAfter = clock();
    pumpUntil([&ticks] { return !ticks.empty(); }, 3000);
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(dues.front(), enabled + 150);
    EXPECT_LE(dues.front(), enabledAfter + 150);
    EXPECT_GE(ticks.front(), dues.front());
}

TEST_F(RealClockTimers, IntervalZeroArmsNothing) {
    Timer timer("Timer1", 0, true);
    int ticks = 0;
    timer.onTick = [&ticks] { ++ticks; };
    start(timer);
    pumpFor(300);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(messages, 0) << "a timer with interval 0 was given to SetTimer";
}

TEST_F(RealClockTimers, HandlerStoppingItsTimerEndsItsMessages) {
    Timer timer("Timer1", 30, true);
    int ticks = 0;
    timer.onTick = [&] {
        ++ticks;
        timer.setEnabled(false);
    };
    start(timer);
    pumpUntil([&ticks] { return ticks > 0; }, 3000);
    const int messagesAtStop = messages;
    pumpFor(300);
    EXPECT_EQ(ticks, 1);
    // Stopped inside its handler, right after being re-armed for 30 ms: nothing can be pending yet.
    EXPECT_EQ(messages - messagesAtStop, 0) << "the stopped timer is still armed";
}

TEST_F(RealClockTimers, HandlerPumpingMessagesIsNotReenteredWhileOtherTimersRun) {
    Timer slow("Timer1", 50, true);
    Timer other("Timer2", 40, false);
    int depth = 0;
    int maxDepth = 0;
    int slowTicks = 0;
    int otherTicksDuringPump = 0;
    bool pumping = false;
    slow.onTick = [&] {
        ++slowTicks;
        maxDepth = std::max(maxDepth, ++depth);
        if (slowTicks == 1) {
            other.setEnabled(true);  // a handler may start another timer
            pumping = true;
            pumpFor(300);  // as a modal box would
            pumping = false;
        }
        --depth;
    };
    other.onTick = [&] { otherTicksDuringPump += pumping ? 1 : 0; };
    start(slow);
    start(other);
    pumpUntil([&slowTicks] { return slowTicks >= 3; }, 3000);
    EXPECT_EQ(maxDepth, 1) << "a tick re-entered its own handler";
    EXPECT_GE(otherTicksDuringPump, 3);
    EXPECT_GE(slowTicks, 3) << "the timer stopped after its handler pumped messages";
}

}  // namespace
}  // namespace zantiro::wine_tests
