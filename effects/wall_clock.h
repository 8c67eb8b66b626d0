// The wall clock beside the timer: the time of day in the user's regional long-time format.
#pragma once

#include "forms/controls.h"
#include "forms/platform.h"

namespace zantiro::effects {

class WallClock {
public:
    WallClock(forms::Label& clockLabel, forms::Regional& regional) : Label6(clockLabel), regional_(regional) {}

    void Timer1_Tick() { Label6.setCaption(regional_.longTimeText()); }

private:
    forms::Label& Label6;
    forms::Regional& regional_;
};

}  // namespace zantiro::effects
