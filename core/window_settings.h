// The window's own settings, each in menu order: the seven placements, the six transparency levels and the scale
// steps of Ctrl + wheel.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zantiro::core {

// Where a placement puts the window on its monitor, in twips: left = across * (screen - window) + offsetX, and
// so for the top. The same fractions are the point a change of the window's size keeps in place.
struct Placement {
    std::string_view caption;
    double across, down;  // 0 the left or top edge, 0.5 the middle, 1 the right or bottom edge
    float offsetX, offsetY;
};

inline constexpr std::array<Placement, 7> kPlacements{{
    {"屏幕中心", 0.5, 0.5, 0, 0},
    {"底部居中", 0.5, 1, 0, -100},
    {"顶部居中", 0.5, 0, 0, 10},
    {"右下角", 1, 1, -10, -100},
    {"左下角", 0, 1, 0, -100},
    {"右上角", 1, 0, 0, 0},
    {"左上角", 0, 0, 0, 0},
}};
inline constexpr std::size_t kTopCentre = 2;  // checked at start-up, though the start-up place is not a choice

struct Transparency {
    std::string_view caption;
    std::uint8_t alpha;  // 255 * (100 - per cent) / 100, to the nearest whole number, halves up
};

inline constexpr std::array<Transparency, 6> kTransparencies{{
    {"90%", 26},
    {"80%", 51},
    {"75%", 64},
    {"50%", 128},
    {"30%", 179},
    {"0%", 255},
}};
inline constexpr std::size_t kOpaque = 5;

inline constexpr std::array kScaleSteps{100, 125, 150, 200, 250, 300, 400};

// The scale `notches` wheel notches from `percent` (away from the user larger), from step to step within the steps.
constexpr int scaleAfterNotches(int percent, int notches) {
    for (; notches > 0; --notches) {
        const auto* larger = std::upper_bound(kScaleSteps.begin(), kScaleSteps.end(), percent);
        percent = larger != kScaleSteps.end() ? *larger : kScaleSteps.back();
    }
    for (; notches < 0; ++notches) {
        const auto* notSmaller = std::lower_bound(kScaleSteps.begin(), kScaleSteps.end(), percent);
        percent = notSmaller != kScaleSteps.begin() ? *(notSmaller - 1) : kScaleSteps.front();
    }
    return percent;
}

}  // namespace zantiro::core
