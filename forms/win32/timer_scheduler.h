// Window timers kept on a fixed grid of a monotonic clock from the moment they are enabled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Each timer runs on its own grid t0 + k * interval, t0 being the moment it was enabled (or given a new
// interval), or an interval before its first tick when it was started with one sooner (Timer::startWithFirstTickIn). A
// late tick does not push the later ones back; a tick missed entirely is dropped, never made up. Implemented with
// one-shot SetTimer calls re-armed to the next grid point, since Windows rounds periodic timers to its system tick and
// keeps no grid.
class TimerScheduler {
public:
    // Milliseconds of a monotonic clock; injectable so tests can make handlers "slow".
    using Clock = std::function<std::int64_t()>;
    // SetTimer and KillTimer of one window; replaceable so a simulation can stand in for Windows' timers.
    struct SystemTimer {
        std::function<bool(UINT_PTR id, UINT delayMs)> set;
        std::function<void(UINT_PTR id)> kill;
    };

    TimerScheduler(HWND window, Clock clock);  // window: not owned; receives WM_TIMER
    TimerScheduler(SystemTimer systemTimer, Clock clock);
    ~TimerScheduler();
    TimerScheduler(const TimerScheduler&) = delete;
    TimerScheduler& operator=(const TimerScheduler&) = delete;

    // Start scheduling a timer control (in design order: equal due times fire in that order).
    void add(Timer& timer);
    // The timer's Enabled or Interval changed.
    void timerChanged(Timer& timer);
    // A clock's timer (added before) whose ticks may move: whenever another timer starts whose interval divides
    // the clock's, the clock's grid moves onto that timer's, so one wake-up serves both. wallClock gives the time
    // of day in milliseconds. The clock's next tick after a move still falls in the wall-clock interval after the
    // one its last tick was due in, so a clock that shows the time its tick was due shows each second once.
    void shareWakeUps(Timer& clockTimer, Clock wallClock);
    // WM_TIMER with this id arrived; fires the timer's tick if one is due. Returns false for ids it does not own.
    bool onTimerMessage(UINT_PTR id);

    // The grid point the tick whose handler runs now was due at (a late tick: earlier than the clock); none
    // outside a tick handler.
    std::optional<std::int64_t> tickDue() const { return tickDue_; }

    static std::int64_t steadyMilliseconds();  // the default clock: QueryPerformanceCounter
    static std::int64_t steadyMicroseconds();  // the same clock, finer
    static std::int64_t wallMilliseconds();    // the system time (UTC) since 1601

private:
    struct Entry;
    void arm(Entry& entry);
    void moveClockOnto(const Entry& leader);
    SystemTimer systemTimer_;
    Clock clock_;
    std::optional<std::int64_t> tickDue_;
    Entry* clockEntry_ = nullptr;  // the one shareWakeUps named, if any
    Clock wallClock_;
    std::vector<std::unique_ptr<Entry>> entries_;  // on the heap: adding one never moves one that fires
};

}  // namespace zantiro::forms::win32
