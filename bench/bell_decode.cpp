// Times a bell's reading and decoding as the program does it when the user chooses the file, and shows what a
// chosen bell holds in memory: the process's private bytes with no bell, with one, after choosing another.
//   zantiro_bell_decode.exe RUNS FIRST.mp3 SECOND.mp3
// Prints a line for each reading of FIRST (its time, its CPU time, and the codec's alone), then one line
// "median_ms=.. min_ms=.. max_ms=.. cpu_ms=.. codec_cpu_ms=.. wav_kib=.. private_none_kib=.. private_first_kib=..
// private_second_kib=.. private_first_again_kib=..".
#include "forms/win32/win32.h"

// After <windows.h>.
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "forms/win32/mp3_decoder.h"
#include "forms/win32/services.h"
#include "forms/win32/text.h"
#include "sound/bell_file.h"
#include "sound/mp3_frames.h"

namespace {

using namespace zantiro;

double nowMs() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// This thread's CPU time: what the work costs, whatever else the machine is doing.
double threadCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return static_cast<double>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10'000.0;
}

// The commit charge: the private bytes (Wine fills in PagefileUsage, which on Windows is the same figure, and
// leaves PrivateUsage at 0).
std::size_t privateKib() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return std::max(counters.PrivateUsage, counters.PagefileUsage) / 1024;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: zantiro_bell_decode.exe RUNS FIRST.mp3 SECOND.mp3\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::string first = forms::win32::narrow(argv[2]);
    const std::string second = forms::win32::narrow(argv[3]);
    forms::win32::Win32FileSystem files;
    forms::win32::Win32SoundDecoder decoder;
    const auto choose = [&](const std::string& path) -> std::optional<sound::Bell> {
        auto result = sound::readBell(files, decoder, path);
        if (auto* refusal = std::get_if<sound::BellRefusal>(&result)) {
            std::fprintf(stderr, "%s\n", refusal->notice().c_str());
            return std::nullopt;
        }
        return std::move(std::get<sound::Bell>(result));
    };

    // The first decoding loads msacm32 and the codec; the runs after it are what a user's later choices cost.
    if (!choose(first)) {
        return 1;
    }
    std::vector<double> times, cpu, codec;
    std::size_t wavBytes = 0;
    for (int run = 0; run < runs; ++run) {
        const double start = nowMs();
        const double startCpu = threadCpuMs();
        const std::optional<sound::Bell> bell = choose(first);
        times.push_back(nowMs() - start);
        cpu.push_back(threadCpuMs() - startCpu);
        wavBytes = bell ? bell->wav.size() : 0;
        // The codec alone, on the same frames.
        const auto file = std::get<std::vector<std::uint8_t>>(files.readWhole(first, sound::kBellMaxBytes));
        const auto frames = std::get<forms::Mp3Frames>(sound::findMp3Frames(file));
        const double codecStart = threadCpuMs();
        decoder.decodeMp3(frames);
        codec.push_back(threadCpuMs() - codecStart);
        std::printf("run %d %.1f ms, CPU %.1f ms, codec CPU %.1f ms\n", run + 1, times.back(), cpu.back(),
                    codec.back());
    }

    // The program keeps one bell: choosing another replaces it, and the old one's bytes go with it.
    const std::size_t none = privateKib();
    std::optional<sound::Bell> current = choose(first);
    const std::size_t withFirst = privateKib();
    current = choose(second);
    const std::size_t withSecond = privateKib();
    current = choose(first);
    const std::size_t withFirstAgain = privateKib();
    std::printf(
        "median_ms=%.1f min_ms=%.1f max_ms=%.1f cpu_ms=%.1f codec_cpu_ms=%.1f wav_kib=%zu private_none_kib=%zu "
        "private_first_kib=%zu private_second_kib=%zu private_first_again_kib=%zu\n",
        median(times), *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
        median(cpu), median(codec), wavBytes / 1024, none, withFirst, withSecond, withFirstAgain);
    return 0;
}
