// Warning colours of the frame and the flashing at the end of a countdown.
#pragma once

#include <array>
#include <cstdint>

#include "forms/controls.h"
#include "forms/platform.h"

namespace zantiro::effects {

using forms::Colour;

inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kYellow = 65535;

inline constexpr std::array<Colour, 10> WarningPalette = {
    forms::rgb(255, 0, 0),    forms::rgb(0, 255, 0),   forms::rgb(0, 0, 255), forms::rgb(255, 255, 0),
    forms::rgb(0, 255, 255),  forms::rgb(255, 0, 255), forms::rgb(139, 0, 0), forms::rgb(139, 69, 19),
    forms::rgb(244, 121, 32), forms::rgb(237, 25, 65),
};

// u * 10, whole part: each entry has the same chance.
Colour paletteColourFor(float u);
// u * 256 to the nearest whole number (halves to even), 256 counting as 255.
int channelFor(float u);

// The frame, the flashing's timer and the digits that flash (the glossary in ui/form1.h names each); the hours and
// their colon flash only while 显示小时 (xiaoshi) shows them.
struct FlashingControls {
    forms::Shape& Shape1;
    forms::Timer& Timer4;
    forms::Label& Label3;
    forms::Label& Label4;
    forms::Label& Label2_1;  // Label2[1]
    forms::Label& Label1;
    forms::Label& Label2_0;  // Label2[0]
    const forms::MenuItem& xiaoshi;
};

class WarningColours {
public:
    WarningColours(FlashingControls controls, forms::RandomSource& random) : c_(controls), random_(random) {}

    std::int32_t RandomWarningColour();
    void Timer4_Tick();
    void StopFlashing();

private:
    FlashingControls c_;
    forms::RandomSource& random_;
};

}  // namespace zantiro::effects
