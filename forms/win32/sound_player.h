// PlaySoundW for the two sounds (the file when it can serve, else the copy embedded in the program) and the bell the
// user chose, held in memory.
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
    void play(const std::string& path, std::span<const std::uint8_t> embedded, bool loop = false) override;
    bool playMemory(std::span<const std::uint8_t> wav, bool loop) override;  // SND_MEMORY
    void stop() override;

private:
    bool sounded_ = false;  // stop() loads winmm only when something may be playing
};

}  // namespace zantiro::forms::win32
