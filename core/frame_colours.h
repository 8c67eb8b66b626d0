// The frame's colours: packed RGB, the warning palette and the random colours of the last seconds and the flashing.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace zantiro::core {

// red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red + 256 * green + 65536 * blue);
}

inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kYellow = rgb(255, 255, 0);

inline constexpr std::array<Colour, 10> kWarningPalette = {
    rgb(255, 0, 0),   rgb(0, 255, 0), rgb(0, 0, 255),   rgb(255, 255, 0),  rgb(0, 255, 255),
    rgb(255, 0, 255), rgb(139, 0, 0), rgb(139, 69, 19), rgb(244, 121, 32), rgb(237, 25, 65),
};

// One generator for the whole program, reseeded before every use.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual float next() = 0;  // 0 <= u < 1
};

// u * 10, whole part: each entry has the same chance.
inline Colour paletteColourFor(float u) {
    const auto index = std::clamp(static_cast<int>(static_cast<double>(u) * 10.0), 0, 9);
    return kWarningPalette[static_cast<std::size_t>(index)];
}

// u * 256 to the nearest whole number (halves to even), 256 counting as 255.
inline int channelFor(float u) {
    return std::min(static_cast<int>(std::nearbyint(static_cast<double>(u) * 256.0)), 255);
}

// A palette colour, freshly reseeded: the last seconds' colour.
inline Colour randomPaletteColour(RandomSource& random) {
    random.reseed();
    return paletteColourFor(random.next());
}

// Any colour, freshly reseeded: the flashing's colour.
inline Colour randomColour(RandomSource& random) {
    random.reseed();
    const int red = channelFor(random.next());
    const int green = channelFor(random.next());
    const int blue = channelFor(random.next());
    return rgb(red, green, blue);
}

}  // namespace zantiro::core
