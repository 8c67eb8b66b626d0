// Fuzz target: any bytes as a bell file. A WAV image that says what it holds and lasts at most three minutes, or a
// reason; the decoder is handed only whole frames from inside the file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sound/bell_file.h"
#include "tests/fuzz/require.h"

namespace {

using namespace zantiro;

// Silence of the frames' length, as the system's decoder would give it.
class SilentDecoder final : public forms::SoundDecoder {
public:
    explicit SilentDecoder(std::span<const std::uint8_t> file) : file_(file) {}
    std::optional<std::vector<std::int16_t>> decodeMp3(const forms::Mp3Frames& frames) override {
        require(frames.bytes.data() >= file_.data() &&
                    frames.bytes.data() + frames.bytes.size() <= file_.data() + file_.size(),
                "the frames lie inside the file");
        require(frames.frameCount > 0 && frames.bytes.size() >= frames.frameCount * 4, "whole frames");
        require(frames.channels == 1 || frames.channels == 2, "one or two channels");
        require(frames.sampleRate >= 8000 && frames.sampleRate <= 48000, "an MPEG audio rate");
        require(frames.samplesPerFrame == 576 || frames.samplesPerFrame == 1152, "layer III frames");
        require(static_cast<std::size_t>(frames.firstFrameBytes) <= frames.bytes.size(), "the first frame inside");
        return std::vector<std::int16_t>(frames.frameCount * static_cast<std::size_t>(frames.samplesPerFrame) *
                                         static_cast<std::size_t>(frames.channels));
    }

private:
    std::span<const std::uint8_t> file_;
};

std::uint32_t field(const std::vector<std::uint8_t>& wav, std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) {
        value = value << 8 | wav[at + i];
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    SilentDecoder decoder(file);
    const auto result = sound::bellWavImage(file, decoder);
    if (const auto* problem = std::get_if<sound::BellProblem>(&result)) {
        require(!sound::reasonText(*problem).empty(), "a reason to tell");
        return 0;
    }
    const auto& wav = std::get<std::vector<std::uint8_t>>(result);
    require(wav.size() > 44 && field(wav, 0, 4) == 0x46464952 && field(wav, 8, 4) == 0x45564157, "a RIFF WAVE");
    require(field(wav, 4, 4) == wav.size() - 8 && field(wav, 40, 4) == wav.size() - 44, "sizes that hold");
    const std::uint32_t channels = field(wav, 22, 2);
    const std::uint32_t rate = field(wav, 24, 4);
    require(field(wav, 20, 2) == 1 && field(wav, 34, 2) == 16, "16-bit PCM");
    require((channels == 1 || channels == 2) && rate >= 8000 && rate <= 96000, "a rate and channels a bell may have");
    require(field(wav, 32, 2) == 2 * channels && field(wav, 28, 4) == 2 * channels * rate, "a block of its channels");
    require((wav.size() - 44) % (2 * channels) == 0, "whole frames");
    // With the MP3 encoder's few frames of delay and padding.
    require((wav.size() - 44) / (2 * channels) <= std::size_t{180} * rate + 2304, "at most three minutes");
    return 0;
}
