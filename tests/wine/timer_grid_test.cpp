// The timer grid with a clock the test moves: which WM_TIMER messages fire a tick, exactly.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/timer_scheduler.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::Timer;
using forms::win32::TimerScheduler;

// The real window receives the real WM_TIMER that tells the timer's id; after that the test itself offers the
// scheduler a WM_TIMER at every millisecond of its clock (a flood of early and late messages) and records the
// clock reading of every tick that fires.
class TimerGrid : public ::testing::Test {
protected:
    void start(Timer& timer) {
        timer.onTick = [this, &timer] {
            fired.push_back(now);
            if (onTick) {
                onTick(timer);
            }
        };
        scheduler.add(timer);
        timer.setObserver(&observer);
    }

    // The id of the first WM_TIMER to reach the window (other than `known`): the scheduler armed it with SetTimer
    // on that window.
    UINT_PTR armedId(UINT_PTR known = 0) {
        UINT_PTR id = 0;
        window.onTimer = [&id, known](UINT_PTR timerId) { id = id != 0 || timerId == known ? id : timerId; };
        pumpUntil([&id] { return id != 0; }, 5000);
        window.onTimer = nullptr;
        return id;
    }

    // The usual case: one timer of 100 ms, started; returns its id.
    UINT_PTR startTimer() {
        start(timer);
        return armedId();
    }

    void offerEveryMillisecond(UINT_PTR id, std::int64_t until) {
        for (; now <= until; ++now) {
            EXPECT_TRUE(scheduler.onTimerMessage(id));
        }
        now = until;
    }

    std::int64_t now = 0;
    std::vector<std::int64_t> fired;
    std::function<void(Timer&)> onTick;
    Timer timer{"Timer1", 100, true};
    TestWindow window{WS_OVERLAPPEDWINDOW, L"timer grid"};
    TimerScheduler scheduler{window.hwnd(), [this] { return now; }};
    TimerObserver observer{scheduler};
};

std::vector<std::int64_t> gridPoints(std::int64_t from, std::int64_t to, std::int64_t step) {
    std::vector<std::int64_t> points;
    for (std::int64_t t = from; t <= to; t += step) {
        points.push_back(t);
    }
    return points;
}

TEST_F(TimerGrid, TicksOnlyAtGridPointsHoweverManyMessagesArrive) {
    const UINT_PTR id = startTimer();
    ASSERT_NE(id, 0u) << "no WM_TIMER reached the window";
    offerEveryMillisecond(id, 1000);
    EXPECT_EQ(fired, gridPoints(100, 1000, 100));
}

TEST_F(TimerGrid, SlowHandlerDoesNotPushLaterTicksBack) {
    onTick = [this](Timer&) { now += 30; };  // every tick takes 30 ms
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 2000);
    EXPECT_EQ(fired, gridPoints(100, 2000, 100));
}

TEST_F(TimerGrid, LateTickFiresOnceAndMissedGridPointsAreDropped) {
    onTick = [this](Timer&) {
        if (fired.size() == 1) {
            now += 250;  // busy from 100 to 350: the point at 200 is late, the one at 300 missed
        }
    };
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 1000);
    // The first message after the handler (351) fires the late tick once; the grid goes on at 400.
    const std::vector<std::int64_t> expected = {100, 351, 400, 500, 600, 700, 800, 900, 1000};
    EXPECT_EQ(fired, expected);
}

// A laptop lid closed for an hour: the clock jumps and the one WM_TIMER comes very late. One tick, no burst of
// the 36000 missed ones, and no stall: the next real WM_TIMER comes for the next point of the same grid.
TEST_F(TimerGrid, AfterSleepOneLateTickThenTheSameGridGoesOn) {
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 1000);
    now += 3'600'000 + 37;
    EXPECT_TRUE(scheduler.onTimerMessage(id));
    EXPECT_TRUE(scheduler.onTimerMessage(id));
    EXPECT_EQ(armedId(), id) << "no WM_TIMER after the late tick";
    offerEveryMillisecond(id, now + 300);
    std::vector<std::int64_t> expected = gridPoints(100, 1000, 100);
    for (const std::int64_t late : {3'601'037, 3'601'100, 3'601'200, 3'601'300}) {
        expected.push_back(late);
    }
    EXPECT_EQ(fired, expected);
}

TEST_F(TimerGrid, TickArrivingEarlyWaitsForItsGridPoint) {
    const UINT_PTR id = startTimer();
    now = 99;
    EXPECT_TRUE(scheduler.onTimerMessage(id));
    EXPECT_TRUE(fired.empty());
    now = 100;
    EXPECT_TRUE(scheduler.onTimerMessage(id));
    EXPECT_EQ(fired, std::vector<std::int64_t>{100});
}

TEST_F(TimerGrid, EnablingOrNewIntervalStartsAFullIntervalFromThatMoment) {
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 250);
    timer.setEnabled(false);
    offerEveryMillisecond(id, 420);
    timer.setEnabled(true);  // a new grid from 420
    offerEveryMillisecond(id, 650);
    timer.setInterval(40);  // a new grid from 650
    offerEveryMillisecond(id, 780);
    const std::vector<std::int64_t> expected = {100, 200, 520, 620, 690, 730, 770};
    EXPECT_EQ(fired, expected);
}

TEST_F(TimerGrid, FirstTickSoonerThenWholeIntervalsUntilAPlainEnable) {
    Timer countdown("Timer3", 1000, false);
    start(countdown);
    countdown.startWithFirstTickIn(300);
    const UINT_PTR id = armedId();
    offerEveryMillisecond(id, 2500);
    countdown.setEnabled(false);
    countdown.setEnabled(true);  // a full interval from 2500
    offerEveryMillisecond(id, 3600);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{300, 1300, 2300, 3500}));
}

TEST_F(TimerGrid, HandlerStoppingItsOwnTimerGetsNoFurtherTick) {
    onTick = [](Timer& self) { self.setEnabled(false); };
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 1000);
    EXPECT_EQ(fired, std::vector<std::int64_t>{100});
}

TEST_F(TimerGrid, HandlerRestartingItsOwnTimerMovesTheGrid) {
    onTick = [this](Timer& self) {
        if (fired.size() == 2) {
            now += 15;  // restarted at 215: the next tick is due a full interval later
            self.setInterval(100);
        }
    };
    const UINT_PTR id = startTimer();
    offerEveryMillisecond(id, 600);
    const std::vector<std::int64_t> expected = {100, 200, 315, 415, 515};
    EXPECT_EQ(fired, expected);
}

TEST_F(TimerGrid, IntervalZeroNeverFires) {
    const UINT_PTR id = startTimer();
    now = 50;
    timer.setInterval(0);
    offerEveryMillisecond(id, 1000);
    EXPECT_TRUE(fired.empty());
    timer.setEnabled(false);
    timer.setEnabled(true);  // enabled with interval 0: still nothing
    offerEveryMillisecond(id, 2000);
    EXPECT_TRUE(fired.empty());
}

TEST_F(TimerGrid, LeavesOtherTimerIdsToTheWindow) {
    const UINT_PTR id = startTimer();
    EXPECT_FALSE(scheduler.onTimerMessage(1));
    EXPECT_FALSE(scheduler.onTimerMessage(id + 1));
    EXPECT_FALSE(scheduler.onTimerMessage(0));
}

TEST_F(TimerGrid, EachTimerKeepsItsOwnGrid) {
    Timer second("Timer2", 0, false);
    start(timer);
    start(second);
    std::vector<std::int64_t> secondFired;
    second.onTick = [&] { secondFired.push_back(now); };
    const UINT_PTR firstId = armedId();
    now = 30;
    second.setInterval(70);
    second.setEnabled(true);  // its grid: 100, 170, 240, ...
    const UINT_PTR secondId = armedId(firstId);
    ASSERT_NE(firstId, secondId);
    for (; now <= 300; ++now) {
        scheduler.onTimerMessage(firstId);
        scheduler.onTimerMessage(secondId);
    }
    EXPECT_EQ(fired, gridPoints(100, 300, 100));
    EXPECT_EQ(secondFired, gridPoints(100, 300, 70));
}

TEST_F(TimerGrid, TimersDueTogetherFireInDesignOrderWhicheverMessageComesFirst) {
    Timer& first = timer;
    Timer second("Timer2", 100, true);
    start(first);
    start(second);
    std::vector<std::string> order;
    bool firstStopsSecond = false;
    onTick = [&](Timer& timer) {
        order.push_back(timer.name());
        if (firstStopsSecond && &timer == &first) {
            second.setEnabled(false);
        }
    };
    const UINT_PTR oneId = armedId();
    const UINT_PTR otherId = armedId(oneId);
    ASSERT_NE(otherId, 0u);

    for (const UINT_PTR id : {oneId, otherId}) {
        order.clear();
        now += 100;
        EXPECT_TRUE(scheduler.onTimerMessage(id));                             // the first message due wakes both
        EXPECT_TRUE(scheduler.onTimerMessage(id == oneId ? otherId : oneId));  // the second finds nothing due
        EXPECT_EQ(order, (std::vector<std::string>{"Timer1", "Timer2"}));
    }
    // Design order matters: what the earlier timer's handler does, the later one sees at the same moment.
    firstStopsSecond = true;
    order.clear();
    now += 100;
    scheduler.onTimerMessage(otherId);
    scheduler.onTimerMessage(oneId);
    EXPECT_EQ(order, std::vector<std::string>{"Timer1"});
}

}  // namespace
}  // namespace zantiro::wine_tests
