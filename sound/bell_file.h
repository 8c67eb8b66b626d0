// A bell file the user chose, read once: WAV or MP3 known by its content, made into one 16-bit PCM WAV image that
// stays in memory, or the reason it cannot serve.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "forms/platform.h"

namespace zantiro::sound {

inline constexpr std::size_t kBellMaxBytes = 32u << 20;
inline constexpr int kBellMaxSeconds = 3 * 60;

enum class BellProblem {
    Missing,
    Folder,
    Unreadable,
    TooLarge,
    Empty,
    Truncated,
    NotWavOrMp3,
    UnsupportedWav,
    TooLong,
    Undecodable,
};

// The reason as the notice says it, e.g. "文件不完整".
std::string_view reasonText(BellProblem problem);

// A WAV (PCM 8, 16, 24 or 32 bits, or 32-bit float; one or two channels; 8 to 96 kHz) or an MP3 file's bytes as a
// 16-bit PCM WAV image of the same rate and channels. MP3 frames go to the decoder; nothing else is decoded here.
std::variant<std::vector<std::uint8_t>, BellProblem> bellWavImage(std::span<const std::uint8_t> file,
                                                                  forms::SoundDecoder& decoder);

// A bell ready to ring.
struct Bell {
    std::string name;               // the file's name without its folder, for the menu and the notices
    std::vector<std::uint8_t> wav;  // for SoundPlayer::playMemory
};

// A file that cannot be the bell, and why.
struct BellRefusal {
    std::string name;  // without its folder
    BellProblem problem = BellProblem::Unreadable;
    // "无法使用铃声 NAME：REASON，仍使用原来的铃声"
    std::string notice() const;
};

// The file at path (UTF-8; absolute, or relative to the current folder) read whole, at most kBellMaxBytes, and
// made into a bell; the file's own bytes are let go before it returns.
std::variant<Bell, BellRefusal> readBell(forms::FileSystem& files,
                                         forms::SoundDecoder& decoder,
                                         const std::string& path);

}  // namespace zantiro::sound
