// MP3 frames decoded by the ACM's MPEG layer III codec, which every Windows ships (l3codeca.acm; under Wine its own).
#pragma once

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// msacm32 is loaded at the first decoding, never at start-up.
class Win32SoundDecoder final : public SoundDecoder {
public:
    std::optional<std::vector<std::int16_t>> decodeMp3(const Mp3Frames& frames) override;
};

}  // namespace zantiro::forms::win32
