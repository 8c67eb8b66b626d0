// The tick scheduler against a simulated Windows timer: every wait ends at the first system tick (15.625 ms)
// after it has run out, and each tick's handler keeps the thread busy for a random 0-300 ms. A plain periodic
// timer goes through the same simulation. Prints one line per timer for bench/run.sh.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <map>
#include <random>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/timer_scheduler.h"

namespace {

using zantiro::forms::Timer;
using zantiro::forms::win32::TimerScheduler;

constexpr std::int64_t kSystemTickUs = 15625;
constexpr std::int64_t kIntervalMs = 1000;

// Time in microseconds; Windows' window timers as one-shot or periodic waits that end on a system tick.
class SimulatedWindows {
public:
    explicit SimulatedWindows(unsigned seed) : random_(seed) {}

    std::int64_t nowUs = 0;

    void set(UINT_PTR id, UINT delayMs) { timers_[id] = Pending{endOfWait(nowUs, delayMs), delayMs}; }
    void kill(UINT_PTR id) { timers_.erase(id); }

    // Waits for the earliest timer, hands its WM_TIMER to `deliver`, and re-arms it as Windows does a periodic
    // timer: the next wait starts when this one ended.
    template <typename Deliver>
    void runOne(Deliver deliver) {
        const auto next = std::min_element(timers_.begin(), timers_.end(),
                                           [](const auto& a, const auto& b) { return a.second.at < b.second.at; });
        const UINT_PTR id = next->first;
        const std::int64_t expired = next->second.at;
        nowUs = std::max(nowUs, expired);
        next->second.at = endOfWait(expired, next->second.delayMs);
        deliver(id);
    }

    // A tick's handler keeps the thread busy.
    void busy() { nowUs += std::uniform_int_distribution<std::int64_t>(0, 300000)(random_); }

private:
    struct Pending {
        std::int64_t at;
        UINT delayMs;
    };
    // The wait runs out at from + delay; the timer expires at the first system tick after that.
    static std::int64_t endOfWait(std::int64_t from, UINT delayMs) {
        return ((from + std::int64_t{delayMs} * 1000) / kSystemTickUs + 1) * kSystemTickUs;
    }

    std::map<UINT_PTR, Pending> timers_;
    std::mt19937 random_;
};

struct Offsets {
    std::vector<std::int64_t> us;  // each tick against its ideal moment t0 + k * interval

    void print(const char* name) const {
        std::vector<std::int64_t> sorted = us;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%s ticks=%zu last_ms=%.1f max_ms=%.1f median_ms=%.1f\n", name, us.size(), us.back() / 1000.0,
                    sorted.back() / 1000.0, sorted[sorted.size() / 2] / 1000.0);
    }
};

Offsets runScheduler(int ticks, unsigned seed) {
    SimulatedWindows windows(seed);
    TimerScheduler scheduler(
        TimerScheduler::SystemTimer{[&](UINT_PTR id, UINT delayMs) { return windows.set(id, delayMs), true; },
                                    [&](UINT_PTR id) { windows.kill(id); }},
        [&] { return windows.nowUs / 1000; });
    Timer timer("Timer2", kIntervalMs, false);
    Offsets offsets;
    timer.onTick = [&] {
        offsets.us.push_back(windows.nowUs - static_cast<std::int64_t>(offsets.us.size() + 1) * kIntervalMs * 1000);
        windows.busy();
    };
    scheduler.add(timer);
    timer.setEnabled(true);
    scheduler.timerChanged(timer);  // its grid starts at 0
    while (static_cast<int>(offsets.us.size()) < ticks) {
        windows.runOne([&](UINT_PTR id) { scheduler.onTimerMessage(id); });
    }
    return offsets;
}

Offsets runPlainPeriodic(int ticks, unsigned seed) {
    SimulatedWindows windows(seed);
    windows.set(1, kIntervalMs);
    Offsets offsets;
    while (static_cast<int>(offsets.us.size()) < ticks) {
        windows.runOne([&](UINT_PTR) {
            offsets.us.push_back(windows.nowUs - static_cast<std::int64_t>(offsets.us.size() + 1) * kIntervalMs * 1000);
            windows.busy();
        });
    }
    return offsets;
}

}  // namespace

// timer_simulation [TICKS [SEED]]
int wmain(int argc, wchar_t** argv) {
    const int ticks = argc > 1 ? _wtoi(argv[1]) : 3600;
    const auto seed = static_cast<unsigned>(argc > 2 ? _wtoi(argv[2]) : 1);
    runScheduler(ticks, seed).print("scheduler");
    runPlainPeriodic(ticks, seed).print("plain");
    return 0;
}
