// Manual probe: plays a WAV file with PlaySoundW, for checking what tools/wine/capture.sh records.
#ifndef UNICODE
#define UNICODE
#endif
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cwchar>

// Usage: play_probe file.wav [milliseconds to stay alive, default 2000]
int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: play_probe file.wav [milliseconds]\n", stderr);
        return 2;
    }
    // Wine plays nothing for a missing file and still reports success, so check first.
    if (GetFileAttributesW(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "play_probe: no such file: %ls\n", argv[1]);
        return 1;
    }
    const int stayMs = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 2000;
    if (!PlaySoundW(argv[1], nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
        std::fputs("play_probe: PlaySoundW failed\n", stderr);
        return 1;
    }
    // SND_ASYNC returns at once; the sound plays while the process lives.
    Sleep(static_cast<DWORD>(stayMs));
    return 0;
}
