// Reading a time of day and counting the seconds to it.
#include "core/clock_time.h"

#include <charconv>

#include "core/custom_length.h"

namespace zantiro::core {
namespace {

constexpr std::int32_t kSecondsPerDay = 24 * 3600;
constexpr std::string_view kFullWidthColon = "：";

// Digits only, at most `most` of them: no sign, space or anything else that from_chars would let through or stop at.
std::optional<int> digitsValue(std::string_view text, std::size_t most) {
    int value = 0;
    if (text.empty() || text.size() > most || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
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
    const std::string_view minutesText = whole.substr(colon + colonSize);
    const std::optional<int> hours = digitsValue(whole.substr(0, colon), 2);
    const std::optional<int> minutes = digitsValue(minutesText, 2);
    if (!hours || !minutes || minutesText.size() != 2 || *hours > 23 || *minutes > 59) {
        return std::nullopt;
    }
    return ClockTime{*hours, *minutes};
}

std::string clockTimeText(ClockTime time) {
    const auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return twoDigits(time.hour) + ":" + twoDigits(time.minute);
}

std::int32_t secondsUntil(const TimeOfDay& now, ClockTime end) {
    const std::int32_t left = (end.hour * 60 + end.minute) * 60 - ((now.hour * 60 + now.minute) * 60 + now.second);
    return left > 0 ? left : left + kSecondsPerDay;
}

int millisecondsToNextSecond(const TimeOfDay& now) {
    return 1000 - now.millisecond;
}

ClockTime nextFullHour(const TimeOfDay& now) {
    return {(now.hour + 1) % 24, 0};
}

}  // namespace zantiro::core
