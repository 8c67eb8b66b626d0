// The display rule: a count of seconds as the three two-character fields hh, mm and ss.
#pragma once

#include <cstdint>
#include <string>

namespace zantiro::core {

// The decimal text with "00" in front, cut to its last two characters: 7 -> "07", 123 -> "23", -5 -> "-5".
std::string TimeFieldText(std::int32_t n);

struct TimeFields {
    std::string hours, minutes, seconds;
};

// Hours, minutes and seconds, each truncated toward zero, so a negative count gives negative fields.
TimeFields splitTime(std::int32_t seconds);

}  // namespace zantiro::core
