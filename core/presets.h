// The fixed countdown lengths: what the menu items, F1 to F4 and /countdown offer, in menu order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zantiro::core {

struct Preset {
    std::int32_t seconds;
    int functionKey;  // F1 to F4
    std::string_view caption;
};

inline constexpr std::array<Preset, 4> kPresets{{
    {60, 1, "一分钟"},
    {180, 2, "三分钟"},
    {300, 3, "五分钟"},
    {600, 4, "十分钟"},
}};

// F5 opens the custom length's box; F9 and F10 add and take away a minute.
inline constexpr int kCustomLengthKey = 5;
inline constexpr int kMinuteMoreKey = 9;
inline constexpr int kMinuteLessKey = 10;

constexpr std::optional<std::size_t> presetForKey(int functionKey) {
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        if (kPresets[i].functionKey == functionKey) {
            return i;
        }
    }
    return std::nullopt;
}

// The preset whose length is exactly `minutes`, as /countdown is given it.
constexpr std::optional<std::size_t> presetOfMinutes(double minutes) {
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        if (kPresets[i].seconds == minutes * 60) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace zantiro::core
