// PlaySoundW for the two sounds: the file when it can serve, else the copy embedded in the program.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

enum class SoundSource { File, Embedded, Default };

// Decided before playing: PlaySoundW with SND_ASYNC returns TRUE at once under Wine even when its player fails
// later, silently. The file serves when it holds the embedded bytes (a longer file's tail does not matter),
// opens as the player opens it (read, denying writers), and its path survives the ANSI code page, through
// which Wine's player opens files.
SoundSource chooseSoundSource(const std::wstring& path, std::span<const std::uint8_t> embedded);

class Win32SoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& path, std::span<const std::uint8_t> embedded) override;
};

}  // namespace zantiro::forms::win32
