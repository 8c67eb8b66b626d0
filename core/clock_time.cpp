// Reading a time of day and counting the seconds to it.
#include "core/clock_time.h"

#include "core/custom_length.h"

namespace zantiro::core {
namespace {

constexpr std::int32_t kSecondsPerDay = 24 * 3600;
constexpr std::string_view kFullWidthColon = "：";

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int number(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

}  // namespace

std::optional<ClockTime> parseClockTime(std::string_view text) {
    const std::string trimmed = trimSpaces(text);
    const std::string_view whole = trimmed;
    std::size_t colon = whole.find(':');
    std::size_t colonSize = 1;
    if (colon == std::string_view::npos) {
        colon = whole.find(kFullWidthColon);
        colonSize = kFullWidthColon.size();
    }
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view hours = whole.substr(0, colon);
    const std::string_view minutes = whole.substr(colon + colonSize);
    if (!allDigits(hours) || hours.size() > 2 || !allDigits(minutes) || minutes.size() != 2) {
        return std::nullopt;
    }
    const ClockTime time{number(hours), number(minutes)};
    if (time.hour > 23 || time.minute > 59) {
        return std::nullopt;
    }
    return time;
}

std::string clockTimeText(ClockTime time) {
    const auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return twoDigits(time.hour) + ":" + twoDigits(time.minute);
}

std::int32_t secondsUntil(const forms::TimeOfDay& now, ClockTime end) {
    const std::int32_t left = (end.hour * 60 + end.minute) * 60 - ((now.hour * 60 + now.minute) * 60 + now.second);
    return left > 0 ? left : left + kSecondsPerDay;
}

int millisecondsToNextSecond(const forms::TimeOfDay& now) {
    return 1000 - now.millisecond;
}

ClockTime nextFullHour(const forms::TimeOfDay& now) {
    return {(now.hour + 1) % 24, 0};
}

}  // namespace zantiro::core
