// acmStreamOpen from MPEGLAYER3WAVEFORMAT to 16-bit PCM, then the frames converted a piece at a time.
#include "forms/win32/mp3_decoder.h"

// After <windows.h>, which win32.h brings, and in this order: the wave formats, then the ACM's calls.
#include <mmreg.h>
#include <mmsystem.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>

#include "forms/win32/failures.h"
#include "forms/win32/handles.h"
#include "forms/win32/system_library.h"

namespace zantiro::forms::win32 {
namespace {

// The ACM's calls, looked up once in msacm32.dll: neither loaded nor held by a program whose bell is the default.
struct AcmCalls {
    decltype(&acmStreamOpen) open = nullptr;
    decltype(&acmStreamPrepareHeader) prepare = nullptr;
    decltype(&acmStreamConvert) convert = nullptr;
    decltype(&acmStreamUnprepareHeader) unprepare = nullptr;
    decltype(&acmStreamClose) close = nullptr;

    bool found() const { return open && prepare && convert && unprepare && close; }
};

const AcmCalls& acm() {
    static const AcmCalls calls = [] {
        const HMODULE library = loadSystemLibrary(L"msacm32.dll");
        AcmCalls found;
        found.open = systemCall<decltype(found.open)>(library, "acmStreamOpen");
        found.prepare = systemCall<decltype(found.prepare)>(library, "acmStreamPrepareHeader");
        found.convert = systemCall<decltype(found.convert)>(library, "acmStreamConvert");
        found.unprepare = systemCall<decltype(found.unprepare)>(library, "acmStreamUnprepareHeader");
        found.close = systemCall<decltype(found.close)>(library, "acmStreamClose");
        reportIf(!found.found());
        return found;
    }();
    return calls;
}

struct AcmStreamPolicy {
    using Handle = HACMSTREAM;
    static Handle invalid() { return nullptr; }
    static bool close(Handle stream) { return acm().close(stream, 0) == MMSYSERR_NOERROR; }
};
using UniqueAcmStream = UniqueHandle<AcmStreamPolicy>;

// The source a piece at a time: l3codeca on Windows takes whole frames that fit the output, Wine's takes all and
// keeps what does not fit for the next call.
constexpr DWORD kPieceBytes = 32 * 1024;

// The most frames a piece can hold: the smallest frame is the lowest bitrate's at this rate.
std::size_t framesIn(std::size_t bytes, const Mp3Frames& frames) {
    const bool mpeg1 = frames.samplesPerFrame == 1152;
    const std::size_t smallest = static_cast<std::size_t>((mpeg1 ? 144 * 32000 : 72 * 8000) / frames.sampleRate);
    return bytes / std::max<std::size_t>(smallest, 1) + 2;
}

// A converted piece's header, prepared over fixed buffers: only the lengths change between conversions, as the ACM
// allows, and they are put back before unpreparing.
class PreparedHeader {
public:
    PreparedHeader(HACMSTREAM stream, std::vector<BYTE>& source, std::vector<BYTE>& output) : stream_(stream) {
        header_.cbStruct = sizeof header_;
        header_.pbSrc = source.data();
        header_.cbSrcLength = static_cast<DWORD>(source.size());
        header_.pbDst = output.data();
        header_.cbDstLength = static_cast<DWORD>(output.size());
        sourceBytes_ = header_.cbSrcLength;
        prepared_ = !reportIf(acm().prepare(stream_, &header_, 0) != MMSYSERR_NOERROR);
    }
    ~PreparedHeader() {
        if (prepared_) {
            header_.cbSrcLength = sourceBytes_;
            acm().unprepare(stream_, &header_, 0);
        }
    }
    PreparedHeader(const PreparedHeader&) = delete;
    PreparedHeader& operator=(const PreparedHeader&) = delete;

    bool prepared() const { return prepared_; }
    // Converts the first `bytes` of the source buffer.
    MMRESULT convert(DWORD bytes, DWORD flags) {
        header_.cbSrcLength = bytes;
        header_.cbSrcLengthUsed = 0;
        header_.cbDstLengthUsed = 0;
        return acm().convert(stream_, &header_, flags);
    }
    DWORD sourceUsed() const { return std::min(header_.cbSrcLengthUsed, header_.cbSrcLength); }
    DWORD outputUsed() const { return std::min(header_.cbDstLengthUsed, header_.cbDstLength); }

private:
    HACMSTREAM stream_;  // not owned
    ACMSTREAMHEADER header_{};
    DWORD sourceBytes_ = 0;
    bool prepared_ = false;
};

}  // namespace

std::optional<std::vector<std::int16_t>> Win32SoundDecoder::decodeMp3(const Mp3Frames& frames) {
    if (!acm().found() || frames.bytes.empty() || frames.channels < 1 || frames.channels > 2) {
        return std::nullopt;
    }
    const auto channels = static_cast<WORD>(frames.channels);
    const auto rate = static_cast<DWORD>(frames.sampleRate);
    MPEGLAYER3WAVEFORMAT source{};
    source.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    source.wfx.nChannels = channels;
    source.wfx.nSamplesPerSec = rate;
    source.wfx.nAvgBytesPerSec = static_cast<DWORD>(frames.bitrate / 8);
    source.wfx.nBlockAlign = 1;
    source.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    source.wID = MPEGLAYER3_ID_MPEG;
    source.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;  // each frame's own padding bit decides
    source.nBlockSize = static_cast<WORD>(frames.firstFrameBytes);
    source.nFramesPerBlock = 1;
    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = channels;
    pcm.nSamplesPerSec = rate;
    pcm.nBlockAlign = static_cast<WORD>(channels * 2);
    pcm.nAvgBytesPerSec = rate * pcm.nBlockAlign;
    pcm.wBitsPerSample = 16;

    UniqueAcmStream stream;
    // Not real time: the whole file at once, as fast as the codec can.
    if (reportIf(acm().open(stream.put(), nullptr, &source.wfx, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
                 MMSYSERR_NOERROR)) {
        return std::nullopt;
    }
    const std::size_t frameSamples = static_cast<std::size_t>(frames.samplesPerFrame) * channels;
    std::vector<BYTE> piece(kPieceBytes);
    std::vector<BYTE> output(framesIn(piece.size(), frames) * frameSamples * 2);
    PreparedHeader header(stream.get(), piece, output);
    if (!header.prepared()) {
        return std::nullopt;
    }
    std::vector<std::int16_t> samples;
    samples.reserve((frames.frameCount + 2) * frameSamples);
    // More than the frames can hold is a codec gone wrong: stop rather than fill the memory.
    const std::size_t most = (frames.frameCount + 16) * frameSamples;
    std::size_t at = 0;
    while (samples.size() <= most) {
        const auto bytes = static_cast<DWORD>(std::min<std::size_t>(piece.size(), frames.bytes.size() - at));
        std::memcpy(piece.data(), frames.bytes.data() + at, bytes);
        // With the source all taken, empty pieces flush what the codec still holds; a codec that refuses an empty
        // piece holds nothing back.
        const MMRESULT result =
            header.convert(bytes, bytes == 0 ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN);
        if (result != MMSYSERR_NOERROR && bytes == 0) {
            break;
        }
        if (reportIf(result != MMSYSERR_NOERROR)) {
            return std::nullopt;
        }
        const std::size_t before = samples.size();
        samples.resize(before + header.outputUsed() / 2);
        std::memcpy(samples.data() + before, output.data(), (samples.size() - before) * 2);
        at += header.sourceUsed();
        if (header.sourceUsed() == 0 && header.outputUsed() == 0) {
            if (bytes == 0) {
                break;
            }
            at = frames.bytes.size();  // the codec takes no more of it: flush what it has
        }
    }
    samples.resize(samples.size() - samples.size() % channels);
    return samples;
}

}  // namespace zantiro::forms::win32
