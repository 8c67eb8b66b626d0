// Where an MP3 file's layer III frames are, found by their headers: tags skipped, the encoder's info frame left out.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "forms/platform.h"
#include "sound/bell_file.h"

namespace zantiro::sound {

// The file's audio frames, or Empty (an info frame and no audio), Truncated (a frame or a tag cut short, fewer
// frames than the info frame counts) or NotWavOrMp3 (no run of layer III frames near the start).
std::variant<forms::Mp3Frames, BellProblem> findMp3Frames(std::span<const std::uint8_t> file);

}  // namespace zantiro::sound
