// WAV chunks walked and their samples converted to 16 bits by arithmetic; MP3 frames handed to the system's
// decoder; either way one WAV image in memory.
#include "sound/bell_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

#include "sound/mp3_frames.h"

namespace zantiro::sound {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kWavHeaderBytes = 44;
// An MP3 encoder's delay and padding are frames without sound (1105 samples and the rest of the last frame for the
// common encoder): a three-minute recording encoded is a little longer in frames.
constexpr std::size_t kEncoderSlack = 2304;

std::uint32_t littleEndian(Bytes bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = value << 8 | bytes[i];
    }
    return value;
}

bool named(Bytes bytes, std::string_view id) {
    return std::equal(id.begin(), id.end(), bytes.begin(), [](char c, std::uint8_t b) { return b == c; });
}

enum class SampleKind { Integer, Float };

struct WavFormat {
    SampleKind kind = SampleKind::Integer;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

// The "fmt " chunk's body, or none when the format is not one a bell may have. WAVE_FORMAT_EXTENSIBLE names PCM
// or float by a GUID whose last twelve bytes are fixed.
std::optional<WavFormat> wavFormat(Bytes fmt) {
    constexpr std::uint8_t kGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    std::uint32_t tag = littleEndian(fmt, 2);
    if (tag == 0xFFFE) {
        if (fmt.size() < 40 || !std::equal(std::begin(kGuidTail), std::end(kGuidTail), fmt.begin() + 28)) {
            return std::nullopt;
        }
        tag = littleEndian(fmt.subspan(24), 4);
    }
    WavFormat format;
    format.kind = tag == 3 ? SampleKind::Float : SampleKind::Integer;
    format.channels = static_cast<int>(littleEndian(fmt.subspan(2), 2));
    format.sampleRate = static_cast<int>(littleEndian(fmt.subspan(4), 4));
    const auto blockAlign = static_cast<int>(littleEndian(fmt.subspan(12), 2));
    format.bits = static_cast<int>(littleEndian(fmt.subspan(14), 2));
    const bool samples = tag == 1 ? (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32)
                                  : tag == 3 && format.bits == 32;
    const bool supported = samples && (format.channels == 1 || format.channels == 2) && format.sampleRate >= 8000 &&
                           format.sampleRate <= 96000 && blockAlign == format.channels * format.bits / 8;
    return supported ? std::optional(format) : std::nullopt;
}

// A 16-bit PCM WAV image of this many frames, its samples still zero.
std::vector<std::uint8_t> pcm16Image(int channels, int sampleRate, std::size_t frames) {
    const std::size_t dataBytes = frames * static_cast<std::size_t>(channels) * 2;
    std::vector<std::uint8_t> image(kWavHeaderBytes + dataBytes);
    std::size_t at = 0;
    const auto put = [&](std::uint32_t value, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i, value >>= 8) {
            image[at++] = static_cast<std::uint8_t>(value);
        }
    };
    const auto id = [&](std::string_view text) {
        for (const char c : text) {
            image[at++] = static_cast<std::uint8_t>(c);
        }
    };
    const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
    id("RIFF");
    put(static_cast<std::uint32_t>(image.size() - 8), 4);
    id("WAVEfmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(sampleRate), 4);
    put(static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
    put(blockAlign, 2);
    put(16, 2);
    id("data");
    put(static_cast<std::uint32_t>(dataBytes), 4);
    return image;
}

std::int16_t toSample16(Bytes sample, const WavFormat& format) {
    if (format.kind == SampleKind::Float) {
        const std::uint32_t bits = littleEndian(sample, 4);
        float value = 0;
        static_assert(sizeof value == sizeof bits);
        std::memcpy(&value, &bits, sizeof value);
        value = std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f;
        return static_cast<std::int16_t>(std::lround(value * 32767.0f));
    }
    if (format.bits == 8) {
        return static_cast<std::int16_t>((sample[0] - 128) * 256);  // 8-bit samples are unsigned
    }
    // The top two bytes of a little-endian signed sample are its 16-bit value.
    const std::size_t bytes = static_cast<std::size_t>(format.bits) / 8;
    return static_cast<std::int16_t>(littleEndian(sample.subspan(bytes - 2), 2));
}

std::variant<std::vector<std::uint8_t>, BellProblem> wavImage(Bytes file) {
    std::optional<WavFormat> format;
    bool formatSeen = false;
    std::optional<Bytes> data;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const Bytes id = file.subspan(at, 4);
        const std::size_t size = littleEndian(file.subspan(at + 4), 4);
        at += 8;
        const std::size_t available = file.size() - at;
        if (named(id, "data")) {
            // A writer that could not go back to fill in the size leaves all ones: the data runs to the end.
            if (size > available && size != 0xFFFFFFFF) {
                return BellProblem::Truncated;
            }
            data = file.subspan(at, std::min(size, available));
        } else if (size > available) {
            return BellProblem::Truncated;
        } else if (named(id, "fmt ")) {
            if (size < 16) {
                return BellProblem::UnsupportedWav;
            }
            formatSeen = true;
            format = wavFormat(file.subspan(at, size));
        }
        if (size >= available) {
            break;
        }
        at += size + (size & 1);  // chunks start on even offsets
    }
    if (formatSeen && !format) {
        return BellProblem::UnsupportedWav;
    }
    if (!format || !data) {
        return BellProblem::Truncated;
    }
    const std::size_t blockAlign = static_cast<std::size_t>(format->channels * format->bits / 8);
    const std::size_t frames = data->size() / blockAlign;
    if (frames == 0) {
        return BellProblem::Empty;
    }
    if (frames > static_cast<std::size_t>(kBellMaxSeconds) * static_cast<std::size_t>(format->sampleRate)) {
        return BellProblem::TooLong;
    }
    std::vector<std::uint8_t> image = pcm16Image(format->channels, format->sampleRate, frames);
    const std::size_t sampleBytes = static_cast<std::size_t>(format->bits) / 8;
    const std::size_t samples = frames * static_cast<std::size_t>(format->channels);
    for (std::size_t i = 0; i < samples; ++i) {
        const auto value = static_cast<std::uint16_t>(toSample16(data->subspan(i * sampleBytes, sampleBytes), *format));
        image[kWavHeaderBytes + 2 * i] = static_cast<std::uint8_t>(value);
        image[kWavHeaderBytes + 2 * i + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    return image;
}

std::variant<std::vector<std::uint8_t>, BellProblem> mp3Image(Bytes file, forms::SoundDecoder& decoder) {
    const auto found = findMp3Frames(file);
    if (const auto* problem = std::get_if<BellProblem>(&found)) {
        return *problem;
    }
    const auto& frames = std::get<forms::Mp3Frames>(found);
    if (frames.frameCount * static_cast<std::size_t>(frames.samplesPerFrame) >
        static_cast<std::size_t>(kBellMaxSeconds) * static_cast<std::size_t>(frames.sampleRate) + kEncoderSlack) {
        return BellProblem::TooLong;
    }
    const std::optional<std::vector<std::int16_t>> samples = decoder.decodeMp3(frames);
    const auto channels = static_cast<std::size_t>(frames.channels);
    if (!samples || samples->size() < channels) {
        return BellProblem::Undecodable;
    }
    std::vector<std::uint8_t> image = pcm16Image(frames.channels, frames.sampleRate, samples->size() / channels);
    // The decoder's samples are the machine's int16_t; every machine the program runs on is little-endian, as WAV is.
    static_assert(std::endian::native == std::endian::little);
    std::memcpy(image.data() + kWavHeaderBytes, samples->data(), image.size() - kWavHeaderBytes);
    return image;
}

BellProblem problemOf(forms::ReadFailure failure) {
    switch (failure) {
        case forms::ReadFailure::Missing:
            return BellProblem::Missing;
        case forms::ReadFailure::Folder:
            return BellProblem::Folder;
        case forms::ReadFailure::TooLarge:
            return BellProblem::TooLarge;
        case forms::ReadFailure::Unreadable:
            break;
    }
    return BellProblem::Unreadable;
}

}  // namespace

std::string_view reasonText(BellProblem problem) {
    switch (problem) {
        case BellProblem::Missing:
            return "文件不存在";
        case BellProblem::Folder:
            return "这是文件夹";
        case BellProblem::Unreadable:
            return "无法读取文件";
        case BellProblem::TooLarge:
            return "超过 32 MB";
        case BellProblem::Empty:
            return "文件是空的";
        case BellProblem::Truncated:
            return "文件不完整";
        case BellProblem::NotWavOrMp3:
            return "不是 WAV 或 MP3 文件";
        case BellProblem::UnsupportedWav:
            return "不支持这种 WAV 格式";
        case BellProblem::TooLong:
            return "超过 3 分钟";
        case BellProblem::Undecodable:
            return "无法解码这个 MP3 文件";
    }
    return "无法读取文件";
}

std::variant<std::vector<std::uint8_t>, BellProblem> bellWavImage(std::span<const std::uint8_t> file,
                                                                  forms::SoundDecoder& decoder) {
    if (file.empty()) {
        return BellProblem::Empty;
    }
    if (file.size() >= 4 && named(file, "RIFF")) {
        if (file.size() < 12) {
            return BellProblem::Truncated;
        }
        return named(file.subspan(8), "WAVE") ? wavImage(file) : BellProblem::NotWavOrMp3;
    }
    return mp3Image(file, decoder);
}

std::string BellRefusal::notice() const {
    return "无法使用铃声 " + name + "：" + std::string(reasonText(problem)) + "，仍使用原来的铃声";
}

std::variant<Bell, BellRefusal> readBell(forms::FileSystem& files,
                                         forms::SoundDecoder& decoder,
                                         const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);  // npos + 1 is 0: no folder
    auto read = files.readWhole(path, kBellMaxBytes);
    if (const auto* failure = std::get_if<forms::ReadFailure>(&read)) {
        return BellRefusal{std::move(name), problemOf(*failure)};
    }
    auto image = bellWavImage(std::get<std::vector<std::uint8_t>>(read), decoder);
    if (const auto* problem = std::get_if<BellProblem>(&image)) {
        return BellRefusal{std::move(name), *problem};
    }
    return Bell{std::move(name), std::move(std::get<std::vector<std::uint8_t>>(image))};
}

}  // namespace zantiro::sound
