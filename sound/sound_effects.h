// The two sounds: written next to the program at start-up, played by name.
#pragma once

#include <array>
#include <string_view>

#include "forms/platform.h"

namespace zantiro::sound {

// The names carry their own leading separator: the path is the folder's text with the name appended.
inline constexpr std::string_view kWarningSound = "\\ti.wav";
inline constexpr std::string_view kEndSound = "\\ling.wav";
inline constexpr std::string_view kAssetType = "CUSTOM";

struct SoundAsset {
    int id;
    std::string_view fileName;
};
inline constexpr std::array<SoundAsset, 2> kSoundAssets = {{{101, kWarningSound}, {102, kEndSound}}};

class SoundEffects {
public:
    SoundEffects(forms::FileSystem& files, forms::Resources& resources, forms::SoundPlayer& player)
        : files_(files), resources_(resources), player_(player) {}

    // Rewrites both files over whatever lies there, without emptying them first. A file that cannot be
    // written is skipped: start-up goes on, and its sound later plays from the embedded copy.
    // Returns how many files were written.
    int ExtractSoundFiles();
    // The file by name, with the embedded copy for the player to fall back on; looping until the player stops.
    void PlayWaveFile(std::string_view name, bool loop = false);

private:
    forms::FileSystem& files_;
    forms::Resources& resources_;
    forms::SoundPlayer& player_;
};

}  // namespace zantiro::sound
