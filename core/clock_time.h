// A time of day to count down to: how /until and the end-time box read it, and how far away it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantiro::core {

// A time of day as the wall clock shows it, to the millisecond.
struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The wall clock's time of day now, local time.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual TimeOfDay timeOfDay() = 0;
};

struct ClockTime {
    int hour = 0, minute = 0;  // 0:00 to 23:59
    bool operator==(const ClockTime&) const = default;
};

// "9:05", "09:05" or "9：05" (the full-width colon a Chinese input method types), spaces around it allowed; the
// hours from 0 to 23, the minutes two digits from 00 to 59.
std::optional<ClockTime> parseClockTime(std::string_view text);
// "09:05".
std::string clockTimeText(ClockTime time);

// Whole seconds from `now`, its fraction of a second left out, to the next moment the wall clock shows the time
// with 00 seconds: today, or tomorrow when that moment has come. So the countdown's ticks, laid on the clock's
// seconds (millisecondsToNextSecond), reach 0 just as the clock shows the time.
std::int32_t secondsUntil(const TimeOfDay& now, ClockTime end);
// The first tick of such a countdown comes with the clock's next second: 1000 when the clock is on a second.
int millisecondsToNextSecond(const TimeOfDay& now);

// The next full hour after `now`, as the end-time box offers it: "11:00" at 10:17, "00:00" at 23:40.
ClockTime nextFullHour(const TimeOfDay& now);

}  // namespace zantiro::core
