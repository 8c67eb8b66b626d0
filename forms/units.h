// The design's units: packed RGB colours and twips, and their conversion to pixels.
#pragma once

#include <cmath>
#include <cstdint>

namespace zantiro::forms {

// red + 256 * green + 65536 * blue. Values with the top bit set name a system colour by its index.
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kWindowTextColour = kSystemColourFlag | 8;   // COLOR_WINDOWTEXT
inline constexpr Colour kButtonTextColour = kSystemColourFlag | 18;  // COLOR_BTNTEXT

constexpr bool isSystemColour(Colour colour) {
    return (colour & kSystemColourFlag) != 0;
}
constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red + 256 * green + 65536 * blue);
}

inline constexpr int kTwipsPerInch = 1440;

// Twips reach the screen as whole pixels, the nearest ones (halves away from zero).
inline int twipsToPixels(float twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}
inline float pixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

// The design's pixel measures (a border's width, the picture's size) are pixels at 96 dpi: at another DPI they
// cover as many twips, so 5 pixels become 6 at 120 dpi, 8 at 144 and 10 at 192.
inline constexpr int kDesignDpi = 96;
inline int designPixelsAt(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / kDesignDpi));
}

// A window scaled to `percent` is drawn as at this DPI: 96 dpi at 200 % is 192.
inline int scaledDpi(int dpi, int percent) {
    return static_cast<int>(std::lround(static_cast<double>(dpi) * percent / 100));
}

}  // namespace zantiro::forms
