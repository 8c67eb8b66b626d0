// Window timers on a fixed grid: one-shot SetTimer calls re-armed to the next ideal moment.
#include "forms/win32/timer_scheduler.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "forms/win32/failures.h"

namespace zantiro::forms::win32 {
namespace {

// Far from the small ids a window picks for its own timers.
constexpr UINT_PTR kFirstTimerId = 0x5A00;

// Gives a variable a value for one scope and puts the old one back, however the scope ends.
template <typename Value>
class ScopedValue {
public:
    ScopedValue(Value& variable, Value value) : variable_(variable), old_(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { variable_ = std::move(old_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    Value& variable_;
    Value old_;
};

std::int64_t floorMod(std::int64_t value, std::int64_t divisor) {
    const std::int64_t rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

}  // namespace

struct TimerScheduler::Entry {
    std::int64_t gridPointAfter(std::int64_t now) const { return t0 + ((now - t0) / interval + 1) * interval; }

    Timer* timer;  // not owned
    UINT_PTR id;
    std::int64_t t0 = 0;        // the grid's origin: when the timer was enabled or given its interval
    std::int64_t interval = 0;  // the interval the grid was laid with
    std::int64_t due = 0;       // the next grid point to fire at
    bool armed = false;
    bool firing = false;  // its handler is running (and may pump messages)
};

TimerScheduler::TimerScheduler(HWND window, Clock clock)
    : TimerScheduler(
          SystemTimer{[window](UINT_PTR id, UINT delayMs) { return SetTimer(window, id, delayMs, nullptr) != 0; },
                      [window](UINT_PTR id) { KillTimer(window, id); }},
          std::move(clock)) {}

TimerScheduler::TimerScheduler(SystemTimer systemTimer, Clock clock)
    : systemTimer_(std::move(systemTimer)), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = &TimerScheduler::steadyMilliseconds;
    }
}

TimerScheduler::~TimerScheduler() {
    for (const auto& entry : entries_) {
        if (entry->armed) {
            systemTimer_.kill(entry->id);
        }
    }
}

void TimerScheduler::add(Timer& timer) {
    entries_.push_back(std::make_unique<Entry>(Entry{&timer, kFirstTimerId + entries_.size()}));
    timerChanged(timer);
}

void TimerScheduler::timerChanged(Timer& timer) {
    for (const auto& entry : entries_) {
        if (entry->timer != &timer) {
            continue;
        }
        if (timer.running()) {
            entry->interval = timer.interval();
            entry->due = clock_() + timer.firstTickIn();
            entry->t0 = entry->due - entry->interval;
            arm(*entry);
            if (clockEntry_ != nullptr && entry.get() != clockEntry_) {
                moveClockOnto(*entry);
            }
        } else if (entry->armed) {
            systemTimer_.kill(entry->id);
            entry->armed = false;
        }
    }
}

void TimerScheduler::shareWakeUps(Timer& clockTimer, Clock wallClock) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&clockTimer](const auto& e) { return e->timer == &clockTimer; });
    clockEntry_ = found != entries_.end() ? found->get() : nullptr;
    wallClock_ = std::move(wallClock);
}

// The clock's next tick goes to the leader's first grid point from the start of the wall-clock interval after
// the one its last tick was due in (or from now, when that has begun already): a second is neither skipped nor
// shown twice. A leader whose first tick comes sooner than an interval may have no point left in that wall-clock
// interval but one already passed: the clock takes that one and ticks at once, showing the second it was due in.
void TimerScheduler::moveClockOnto(const Entry& leader) {
    Entry& clock = *clockEntry_;
    if (!clock.timer->running() || clock.firing || clock.interval <= 0 || leader.interval <= 0 ||
        clock.interval % leader.interval != 0) {
        return;
    }
    const std::int64_t now = clock_();
    const std::int64_t toWall = wallClock_() - now;
    const std::int64_t lastWall = clock.due - clock.interval + toWall;
    const std::int64_t nextInterval = (lastWall - floorMod(lastWall, clock.interval)) + clock.interval - toWall;
    const std::int64_t from = std::max(nextInterval, now);
    const std::int64_t steps = (from - leader.t0 + leader.interval - 1) / leader.interval;  // from >= leader.t0
    clock.due = leader.t0 + steps * leader.interval;
    const std::int64_t intervalEnd = nextInterval + clock.interval;
    if (now < intervalEnd && clock.due >= intervalEnd) {
        clock.due -= ((clock.due - intervalEnd) / leader.interval + 1) * leader.interval;  // the last one before
    }
    clock.t0 = clock.due - clock.interval;
    arm(clock);
}

bool TimerScheduler::onTimerMessage(UINT_PTR id) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const auto& e) { return e->id == id; });
    if (found == entries_.end()) {
        return false;
    }
    Entry& woken = **found;
    if (!woken.timer->running() && woken.armed) {
        systemTimer_.kill(woken.id);  // a WM_TIMER generated before the timer was stopped
        woken.armed = false;
    }
    // A WM_TIMER is only a wake-up: every timer that is due fires, the earliest due first and, at equal due
    // moments, in design order, whichever message Windows delivered first. Each fires at most once per wake-up,
    // so a handler slower than its interval cannot keep the window from its other messages.
    std::vector<const Entry*> fired;
    for (;;) {
        const std::int64_t now = clock_();
        Entry* next = nullptr;
        for (const auto& owned : entries_) {
            Entry* entry = owned.get();
            if (!entry->timer->running() || entry->interval <= 0 || entry->due > now ||
                std::find(fired.begin(), fired.end(), entry) != fired.end()) {
                continue;
            }
            if (entry->firing) {
                // Due again while its handler pumps messages (a modal box): re-entering it is no tick, drop it.
                entry->due = entry->gridPointAfter(now);
                arm(*entry);
            } else if (next == nullptr || entry->due < next->due) {
                next = entry;
            }
        }
        if (next == nullptr) {
            break;
        }
        // Late or on time, it fires once: every grid point up to now is spent, missed ones are dropped.
        fired.push_back(next);
        const std::int64_t firedDue = next->due;
        next->due = next->gridPointAfter(now);
        arm(*next);  // before the handler, which may stop or restart this timer
        if (next->timer->onTick) {
            const ScopedValue<bool> firing(next->firing, true);  // a handler that throws must not leave its timer dead
            // A handler that pumps messages can fire another tick inside this one.
            const ScopedValue<std::optional<std::int64_t>> due(tickDue_, firedDue);
            next->timer->onTick();
        }
    }
    for (const auto& entry : entries_) {
        // The woken one came early (Windows rounds to its system tick): it waits for the rest of the interval.
        // One whose SetTimer failed is retried here, at every wake-up.
        if (entry->timer->running() && (entry.get() == &woken || !entry->armed)) {
            arm(*entry);
        }
    }
    return true;
}

void TimerScheduler::arm(Entry& entry) {
    const std::int64_t wait = entry.due - clock_();
    // SetTimer raises anything below USER_TIMER_MINIMUM to it; a due moment already passed fires at once.
    const auto delay = static_cast<UINT>(std::clamp<std::int64_t>(wait, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
    // The same id replaces the timer, so one WM_TIMER per arming: the timer is used one-shot. A failure (the
    // session out of timers) is tried once more at once and then at the next wake-up of any timer.
    entry.armed = systemTimer_.set(entry.id, delay) || systemTimer_.set(entry.id, delay);
    reportIf(!entry.armed, L"计时器无法启动，时间可能停止走动。请关闭一些程序后重新启动本程序。");
}

std::int64_t TimerScheduler::steadyMilliseconds() {
    return steadyMicroseconds() / 1000;
}

std::int64_t TimerScheduler::steadyMicroseconds() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<std::int64_t>(counter.QuadPart);
    // Whole seconds and the remainder apart: ticks * 1000000 would overflow after some days of uptime.
    return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

std::int64_t TimerScheduler::wallMilliseconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) / 10000);
}

}  // namespace zantiro::forms::win32
