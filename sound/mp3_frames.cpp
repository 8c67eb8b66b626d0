// MPEG-1, 2 and 2.5 layer III frame headers walked from the first run of frames to the last whole frame. ID3v2 tags
// (footer included) come first, ID3v1 and APE tags last; a Xing, Info or VBRI frame carries no sound.
#include "sound/mp3_frames.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zantiro::sound {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Where the first frame must start after the leading tags: further on, the file is something else that happens to
// hold bytes looking like a header.
constexpr std::size_t kSyncSearch = 64 * 1024;

struct FrameHeader {
    int version = 0;  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5 (the header's own bits)
    int sampleRate = 0;
    int bitrate = 0;  // bits a second
    int channels = 0;
    std::size_t size = 0;  // bytes, the header included
    int samplesPerFrame = 0;

    bool sameStream(const FrameHeader& other) const {
        return version == other.version && sampleRate == other.sampleRate && channels == other.channels;
    }
};

bool startsWith(Bytes bytes, std::string_view text) {
    return bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin(),
                                                     [](char c, std::uint8_t b) { return static_cast<char>(b) == c; });
}

std::uint32_t bigEndian32(Bytes bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

std::optional<FrameHeader> frameHeader(Bytes at) {
    if (at.size() < 4 || at[0] != 0xFF || (at[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    constexpr std::array<int, 15> kMpeg1Kbits{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    constexpr std::array<int, 15> kMpeg2Kbits{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    constexpr std::array<int, 3> kMpeg1Rates{44100, 48000, 32000};
    const int version = (at[1] >> 3) & 3;
    const int layer = (at[1] >> 1) & 3;
    const int bitrateIndex = at[2] >> 4;
    const int rateIndex = (at[2] >> 2) & 3;
    // Version 1 is reserved, layer 1 is III; bitrate 0 is the free format, 15 and rate 3 are invalid; emphasis 2
    // is reserved.
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3 || (at[3] & 3) == 2) {
        return std::nullopt;
    }
    FrameHeader header;
    header.version = version;
    const bool mpeg1 = version == 3;
    header.sampleRate = kMpeg1Rates[static_cast<std::size_t>(rateIndex)] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    header.bitrate = (mpeg1 ? kMpeg1Kbits : kMpeg2Kbits)[static_cast<std::size_t>(bitrateIndex)] * 1000;
    header.channels = (at[3] >> 6) == 3 ? 1 : 2;
    header.samplesPerFrame = mpeg1 ? 1152 : 576;
    const int padding = (at[2] >> 1) & 1;
    header.size = static_cast<std::size_t>((mpeg1 ? 144 : 72) * header.bitrate / header.sampleRate + padding);
    return header;
}

// The file without its tags, or none when a leading tag runs past the end.
std::optional<Bytes> withoutTags(Bytes file) {
    // ID3v2: "ID3", version, flags, a size in four 7-bit bytes, and ten more bytes when a footer follows.
    while (file.size() >= 10 && startsWith(file, "ID3")) {
        if (((file[6] | file[7] | file[8] | file[9]) & 0x80) != 0) {
            break;  // not a tag's size: leave it to the frame search
        }
        const std::size_t size =
            std::size_t{file[6]} << 21 | std::size_t{file[7]} << 14 | std::size_t{file[8]} << 7 | file[9];
        const std::size_t whole = 10 + size + ((file[5] & 0x10) != 0 ? 10 : 0);
        if (whole > file.size()) {
            return std::nullopt;
        }
        file = file.subspan(whole);
    }
    if (file.size() >= 128 && startsWith(file.last(128), "TAG")) {
        file = file.first(file.size() - 128);  // ID3v1
    }
    // An APE tag's footer: "APETAGEX", version, the size of its items and footer, and whether a header precedes.
    if (file.size() >= 32 && startsWith(file.last(32), "APETAGEX")) {
        const Bytes footer = file.last(32);
        const std::size_t size = std::size_t{footer[12]} | std::size_t{footer[13]} << 8 |
                                 std::size_t{footer[14]} << 16 | std::size_t{footer[15]} << 24;
        const std::size_t whole = size + ((footer[23] & 0x80) != 0 ? 32 : 0);
        if (whole <= file.size()) {
            file = file.first(file.size() - whole);
        }
    }
    return file;
}

// A frame that starts a stream: the next two frames follow where the sizes say, or the file ends first. Two make
// bytes of another kind of file that happen to look like a header (a JPEG's markers, say) very unlikely to pass.
bool startsStream(Bytes file, std::size_t at, const FrameHeader& header) {
    std::size_t next = at + header.size;
    for (int following = 0; following < 2 && next != file.size(); ++following) {
        const std::optional<FrameHeader> frame =
            next + 4 <= file.size() ? frameHeader(file.subspan(next)) : std::nullopt;
        if (!frame || !frame->sameStream(header)) {
            return false;
        }
        next += frame->size;  // past the end: a stream cut short, which the walk reports
    }
    return true;
}

// The frame count an encoder's info frame (Xing, Info or VBRI) declares, or none when the frame holds sound.
std::optional<std::uint32_t> infoFrameCount(Bytes frame, const FrameHeader& header) {
    // The tag sits after the side information, whose size depends on the version and the channels.
    const std::size_t side = header.version == 3 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
    const Bytes xing = frame.subspan(std::min(frame.size(), 4 + side));
    if ((startsWith(xing, "Xing") || startsWith(xing, "Info")) && xing.size() >= 8) {
        const bool counted = (xing[7] & 1) != 0;
        return counted && xing.size() >= 12 ? bigEndian32(xing.subspan(8)) : 0;
    }
    const Bytes vbri = frame.subspan(std::min(frame.size(), std::size_t{36}));
    if (startsWith(vbri, "VBRI")) {
        return vbri.size() >= 18 ? bigEndian32(vbri.subspan(14)) : 0;
    }
    return std::nullopt;
}

}  // namespace

std::variant<forms::Mp3Frames, BellProblem> findMp3Frames(std::span<const std::uint8_t> file) {
    const std::optional<Bytes> untagged = withoutTags(file);
    if (!untagged) {
        return BellProblem::Truncated;
    }
    const Bytes body = *untagged;
    std::optional<FrameHeader> first;
    std::size_t start = 0;
    for (const std::size_t end = std::min(body.size(), kSyncSearch); start + 4 <= end; ++start) {
        first = frameHeader(body.subspan(start));
        if (first && startsStream(body, start, *first)) {
            break;
        }
        first.reset();
    }
    if (!first) {
        return BellProblem::NotWavOrMp3;
    }

    std::optional<std::uint32_t> declared =
        infoFrameCount(body.subspan(start, std::min(first->size, body.size() - start)), *first);
    std::size_t audioStart = declared ? start + first->size : start;
    std::size_t at = start;
    std::size_t frames = 0;
    std::optional<FrameHeader> firstAudio;
    while (at + 4 <= body.size()) {
        const std::optional<FrameHeader> header = frameHeader(body.subspan(at));
        if (!header || !header->sameStream(*first)) {
            break;  // trailing bytes that are no frame
        }
        if (header->size > body.size() - at) {
            return BellProblem::Truncated;
        }
        if (at >= audioStart) {
            ++frames;
            if (!firstAudio) {
                firstAudio = header;
            }
        }
        at += header->size;
    }
    if (frames == 0) {
        return BellProblem::Empty;
    }
    // Encoders differ by one on whether the count includes the info frame itself.
    if (declared && *declared > frames + 1) {
        return BellProblem::Truncated;
    }
    forms::Mp3Frames found;
    found.bytes = body.subspan(audioStart, at - audioStart);
    found.sampleRate = first->sampleRate;
    found.channels = first->channels;
    found.bitrate = firstAudio->bitrate;
    found.firstFrameBytes = static_cast<int>(firstAudio->size);
    found.frameCount = frames;
    found.samplesPerFrame = first->samplesPerFrame;
    return found;
}

}  // namespace zantiro::sound
