// Extraction and playback of the two sounds.
#include "sound/sound_effects.h"

#include <span>
#include <string>

namespace zantiro::sound {

int SoundEffects::ExtractSoundFiles() {
    int written = 0;
    for (const SoundAsset& asset : kSoundAssets) {
        const auto bytes = resources_.bytes(asset.id, kAssetType);
        const std::string path = files_.programFolder() + std::string(asset.fileName);
        if (!bytes.empty() && files_.writeFromStart(path, bytes)) {
            ++written;
        }
    }
    return written;
}

void SoundEffects::PlayWaveFile(std::string_view name, bool loop) {
    std::span<const std::uint8_t> embedded;
    for (const SoundAsset& asset : kSoundAssets) {
        if (asset.fileName == name) {
            embedded = resources_.bytes(asset.id, kAssetType);
        }
    }
    player_.play(files_.programFolder() + std::string(name), embedded, loop);
}

}  // namespace zantiro::sound
