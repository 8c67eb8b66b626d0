// PlaySoundW from the file, from the embedded bytes (SND_MEMORY), or the default sound as the last resort; a chosen
// bell from its image in memory.
#include "forms/win32/sound_player.h"

#include <mmsystem.h>  // after <windows.h>, which win32.h brings: the SND_ flags

#include <algorithm>
#include <vector>

#include "forms/win32/handles.h"
#include "forms/win32/system_library.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

// The file's first bytes are the embedded ones. The player opens with MMIO_DENYWRITE: so do we.
bool fileHolds(const std::wstring& path, std::span<const std::uint8_t> embedded) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;  // missing, a directory, held open by a writer, no access
    }
    std::vector<std::uint8_t> start(embedded.size());
    std::size_t read = 0;
    DWORD got = 1;
    while (read < start.size() && got != 0) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(start.size() - read, 1u << 20));
        if (!ReadFile(file.get(), start.data() + read, chunk, &got, nullptr)) {
            break;
        }
        read += got;
    }
    return read == start.size() && std::equal(start.begin(), start.end(), embedded.begin());
}

bool survivesAnsiCodePage(const std::wstring& path) {
    if (GetACP() == CP_UTF8) {
        return true;  // every path converts; the flags below are invalid for UTF-8
    }
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
    return length > 0 && !lossy;
}

// PlaySoundW, from winmm loaded at the first sound: neither its loading nor its memory is a cost of start-up, and
// a timer kept silent never pays it.
bool playSound(LPCWSTR sound, DWORD flags) {
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    static const auto function = systemCall<PlaySoundFunction>(loadSystemLibrary(L"winmm.dll"), "PlaySoundW");
    return function != nullptr && function(sound, nullptr, flags) != FALSE;
}

void playDefault() {
    // Windows falls back to the default sound by itself, Wine stays silent: ask for it by name.
    if (!playSound(L".Default", SND_ALIAS | SND_ASYNC)) {
        MessageBeep(MB_OK);
    }
}

}  // namespace

SoundSource chooseSoundSource(const std::wstring& path, std::span<const std::uint8_t> embedded) {
    if (embedded.empty()) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool isFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        return isFile ? SoundSource::File : SoundSource::Default;
    }
    return fileHolds(path, embedded) && survivesAnsiCodePage(path) ? SoundSource::File : SoundSource::Embedded;
}

void Win32SoundPlayer::play(const std::string& path, std::span<const std::uint8_t> embedded, bool loop) {
    sounded_ = true;
    const std::wstring file = widen(path);
    const DWORD repeat = loop ? SND_LOOP : 0;
    switch (chooseSoundSource(file, embedded)) {
        case SoundSource::File:
            playSound(file.c_str(), SND_FILENAME | SND_ASYNC | repeat);
            return;
        case SoundSource::Embedded:
            // The bytes are the module's resource, mapped for as long as the program runs.
            if (playSound(reinterpret_cast<LPCWSTR>(embedded.data()), SND_MEMORY | SND_ASYNC | repeat)) {
                return;
            }
            break;
        case SoundSource::Default:
            break;
    }
    playDefault();
}

bool Win32SoundPlayer::playMemory(std::span<const std::uint8_t> wav, bool loop) {
    // PlaySoundW reads the image while it plays, from the caller's bytes: SND_MEMORY copies nothing.
    sounded_ = true;
    return !wav.empty() &&
           playSound(reinterpret_cast<LPCWSTR>(wav.data()), SND_MEMORY | SND_ASYNC | (loop ? SND_LOOP : 0));
}

void Win32SoundPlayer::stop() {
    if (!sounded_) {
        return;
    }
    playSound(nullptr, 0);  // also lets go of a memory image the player was reading
}

}  // namespace zantiro::forms::win32
