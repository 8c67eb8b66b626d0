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

constexpr std::int64_t kLateBound = 75;  // how late a tick may come on a loaded two-core machine

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

TEST_F(RealClockTimers, SlowHandlerKeepsTwentyTicksOnTheGrid) {
    Timer timer("Timer1", 100, false);
    std::vector<std::int64_t> ticks;
    timer.onTick = [&ticks] {
        ticks.push_back(clock());
        Sleep(30);
    };
    start(timer);
    const std::int64_t before = clock();
    timer.setEnabled(true);
    const std::int64_t after = clock();
    pumpUntil([&ticks] { return ticks.size() >= 20; }, 8000);
    ASSERT_EQ(ticks.size(), 20u);
    for (std::size_t k = 1; k <= ticks.size(); ++k) {
        const auto grid = static_cast<std::int64_t>(k) * 100;
        EXPECT_GE(ticks[k - 1], before + grid) << "tick " << k << " came before its grid point";
        EXPECT_LE(ticks[k - 1], after + grid + kLateBound) << "tick " << k << " drifted off the grid";
    }
}

TEST_F(RealClockTimers, HandlerBusyForTwoIntervalsLosesOneTickOverASecond) {
    Timer timer("Timer1", 100, false);
    std::vector<std::int64_t> ticks;
    timer.onTick = [&ticks] {
        ticks.push_back(clock());
        if (ticks.size() == 1) {
            Sleep(250);  // 100..350: the tick due at 200 comes late, the one at 300 is dropped
        }
    };
    start(timer);
    const std::int64_t t0 = clock();
    timer.setEnabled(true);
    pumpUntil([] { return false; }, 1050);
    timer.setEnabled(false);
    std::size_t inSpan = 0;
    for (const std::int64_t tick : ticks) {
        inSpan += tick <= t0 + 1050 ? 1 : 0;
    }
    // Ten grid points in the span, one dropped: 9. Making missed ticks up would give 10; letting the late tick
    // push the grid back would give 7. The lower bound leaves room for a tick at 1000 delayed by load.
    EXPECT_LE(inSpan, 9u);
    EXPECT_GE(inSpan, 8u);
}

TEST_F(RealClockTimers, EnablingAStoppedTimerWaitsOneFullInterval) {
    Timer timer("Timer1", 150, true);
    std::vector<std::int64_t> ticks;
    timer.onTick = [&ticks] { ticks.push_back(clock()); };
    start(timer);
    pumpFor(100);
    timer.setEnabled(false);
    pumpFor(30);
    ASSERT_TRUE(ticks.empty());
    const std::int64_t enabled = clock();
    timer.setEnabled(true);  // a stale grid would fire at 150 from the first start, 20 ms from now
    pumpUntil([&ticks] { return !ticks.empty(); }, 3000);
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(ticks.front(), enabled + 150);
    EXPECT_LE(ticks.front(), enabled + 150 + kLateBound);
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
