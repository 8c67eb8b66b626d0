// Random frame colours near the end of a countdown, and the flashing once it has ended.
#include "effects/warning_colours.h"

#include <algorithm>
#include <cmath>

namespace zantiro::effects {

Colour paletteColourFor(float u) {
    const auto index = std::clamp(static_cast<int>(static_cast<double>(u) * 10.0), 0, 9);
    return WarningPalette[static_cast<std::size_t>(index)];
}

int channelFor(float u) {
    return std::min(static_cast<int>(std::nearbyint(static_cast<double>(u) * 256.0)), 255);
}

std::int32_t WarningColours::RandomWarningColour() {
    random_.reseed();
    return static_cast<std::int32_t>(paletteColourFor(random_.next()));
}

void WarningColours::Timer4_Tick() {
    random_.reseed();
    const int red = channelFor(random_.next());
    const int green = channelFor(random_.next());
    const int blue = channelFor(random_.next());
    c_.Shape1.setBorderColour(forms::rgb(red, green, blue));
    c_.Label3.setVisible(!c_.Label3.visible());
    c_.Label4.setVisible(!c_.Label4.visible());
    c_.Label2_1.setVisible(!c_.Label2_1.visible());
    if (c_.xiaoshi.checked()) {
        c_.Label1.setVisible(!c_.Label1.visible());
        c_.Label2_0.setVisible(!c_.Label2_0.visible());
    }
}

void WarningColours::StopFlashing() {
    c_.Timer4.setEnabled(false);
    c_.Label3.setVisible(true);
    c_.Label4.setVisible(true);
    c_.Label2_1.setVisible(true);
    if (c_.xiaoshi.checked()) {
        c_.Label1.setVisible(true);
        c_.Label2_0.setVisible(true);
    }
    c_.Shape1.setBorderColour(kBlack);
}

}  // namespace zantiro::effects
