// Bell files as the program reads them under Wine, with the system's MP3 codec: every format becomes 16-bit PCM of
// its own tones and length, every file that cannot serve is refused with its reason; and the box that chooses one.
#include "sound/bell_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

#include "forms/win32/file_picker.h"
#include "forms/win32/mp3_decoder.h"
#include "forms/win32/services.h"
#include "forms/win32/text.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using sound::BellProblem;

std::string bellPath(const std::string& name) {
    return forms::win32::narrow(hostPath(ZANTIRO_BELLS_DIR)) + "\\" + name;
}

forms::win32::Win32FileSystem files;
forms::win32::Win32SoundDecoder decoder;

std::uint32_t field(const std::vector<std::uint8_t>& wav, std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) {
        value = value << 8 | wav[at + i];
    }
    return value;
}

// The share of a channel's energy at one frequency (Goertzel) from its first sound to its last: near 1 for a pure
// tone, near 0 for another tone (the other channel's, for one).
double shareAt(const std::vector<double>& channel, int rate, int hz) {
    const auto loud = [](double v) { return std::abs(v) > 0.01; };
    const auto first = std::find_if(channel.begin(), channel.end(), loud);
    const std::vector<double> x(first, std::find_if(channel.rbegin(), channel.rend(), loud).base());
    const double w = 2 * std::numbers::pi * hz / rate;
    double s1 = 0, s2 = 0, energy = 0;
    for (const double v : x) {
        const double s = v + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
        energy += v * v;
    }
    const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return energy > 0 ? 2 * power / (static_cast<double>(x.size()) * energy) : 0;
}

struct Playable {
    const char* file;
    int sampleRate;
    std::vector<int> tones;  // one a channel
    double seconds;
    int frameSamples;  // an MP3's samples a frame: its encoder's delay and padding make it up to three longer
};

TEST(BellFiles, EveryFormatBecomesSixteenBitPcmOfItsOwnTonesAndLength) {
    const Playable table[] = {
        {"pcm8-8k-440.wav", 8000, {440}, 0.1, 0},
        {"pcm16-44k-440-880.wav", 44100, {440, 880}, 0.1, 0},
        {"pcm24-48k-660.wav", 48000, {660}, 0.1, 0},
        {"pcm32-96k-660-440.wav", 96000, {660, 440}, 0.05, 0},
        {"float-22k-880.wav", 22050, {880}, 0.1, 0},
        {"float-96k-880-660.wav", 96000, {880, 660}, 0.05, 0},
        {"mpeg1-cbr-44k-440-880.mp3", 44100, {440, 880}, 0.4, 1152},
        {"考试 结束 mpeg1-vbr-48k-660.mp3", 48000, {660}, 0.4, 1152},
        {"mpeg2-cbr-22k-880.mp3", 22050, {880}, 0.4, 576},
        {"mpeg2-vbr-16k-440-660.mp3", 16000, {440, 660}, 0.4, 576},
        {"mpeg25-8k-440.mp3", 8000, {440}, 0.4, 576},
    };
    for (const Playable& file : table) {
        SCOPED_TRACE(file.file);
        const auto result = sound::readBell(files, decoder, bellPath(file.file));
        ASSERT_TRUE(std::holds_alternative<sound::Bell>(result)) << std::get<sound::BellRefusal>(result).notice();
        EXPECT_EQ(std::get<sound::Bell>(result).name, file.file);
        const std::vector<std::uint8_t>& wav = std::get<sound::Bell>(result).wav;
        const auto channels = file.tones.size();
        ASSERT_GE(wav.size(), 44u);
        EXPECT_EQ(field(wav, 20, 2), 1u) << "PCM";
        EXPECT_EQ(field(wav, 22, 2), channels);
        EXPECT_EQ(field(wav, 24, 4), static_cast<std::uint32_t>(file.sampleRate));
        EXPECT_EQ(field(wav, 34, 2), 16u);
        ASSERT_EQ(field(wav, 40, 4), wav.size() - 44);

        std::vector<std::vector<double>> samples(channels);
        for (std::size_t i = 0; 44 + 2 * i + 1 < wav.size(); ++i) {
            samples[i % channels].push_back(static_cast<std::int16_t>(field(wav, 44 + 2 * i, 2)) / 32768.0);
        }
        const auto expected = static_cast<std::size_t>(std::lround(file.seconds * file.sampleRate));
        EXPECT_GE(samples[0].size(), expected);
        EXPECT_LE(samples[0].size(), expected + 3 * static_cast<std::size_t>(file.frameSamples));
        for (std::size_t c = 0; c < channels; ++c) {
            EXPECT_GT(shareAt(samples[c], file.sampleRate, file.tones[c]), 0.9) << "channel " << c;
        }
    }
}

TEST(BellFiles, EveryFileThatCannotServeIsRefusedWithItsReason) {
    TempFolder folder(L"铃声");
    const std::string temp = forms::win32::narrow(folder.path()) + "\\";
    // Three minutes and a second of 8-bit 8 kHz sound, its data's size all ones (to the end); a file one byte over
    // 32 MB; a file another program holds.
    std::vector<std::uint8_t> tooLong = *readFile(forms::win32::widen(bellPath("pcm8-8k-440.wav")));
    tooLong.resize(44 + 181 * 8000, 0x80);
    std::fill_n(tooLong.begin() + 40, 4, 0xFF);
    ASSERT_TRUE(writeFile(forms::win32::widen(temp + "long.wav"), tooLong));
    ASSERT_TRUE(writeFile(forms::win32::widen(temp + "large.mp3"), std::vector<std::uint8_t>((32u << 20) + 1)));
    ASSERT_TRUE(writeFile(forms::win32::widen(temp + "held.wav"), std::vector<std::uint8_t>(100)));
    const forms::win32::UniqueFile held(CreateFileW(forms::win32::widen(temp + "held.wav").c_str(), GENERIC_READ, 0,
                                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    const std::pair<std::string, BellProblem> table[] = {
        {bellPath("no such bell.mp3"), BellProblem::Missing},
        {forms::win32::narrow(folder.path()), BellProblem::Folder},
        {temp + "held.wav", BellProblem::Unreadable},
        {temp + "large.mp3", BellProblem::TooLarge},
        {bellPath("empty.wav"), BellProblem::Empty},
        {bellPath("cut-short.wav"), BellProblem::Truncated},
        {bellPath("cut-short.mp3"), BellProblem::Truncated},
        {bellPath("text.mp3"), BellProblem::NotWavOrMp3},
        {bellPath("adpcm.wav"), BellProblem::UnsupportedWav},
        {bellPath("four-channels.wav"), BellProblem::UnsupportedWav},
        {temp + "long.wav", BellProblem::TooLong},
    };
    for (const auto& [path, problem] : table) {
        const auto result = sound::readBell(files, decoder, path);
        ASSERT_TRUE(std::holds_alternative<sound::BellRefusal>(result)) << path;
        EXPECT_EQ(std::get<sound::BellRefusal>(result).notice(),
                  "无法使用铃声 " + path.substr(path.find_last_of('\\') + 1) + "：" +
                      std::string(sound::reasonText(problem)) + "，仍使用原来的铃声");
    }
    // A name without a folder is read from the current folder, as /bell gives it.
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(hostPath(ZANTIRO_BELLS_DIR).c_str()));
    EXPECT_TRUE(std::holds_alternative<sound::Bell>(sound::readBell(files, decoder, "mpeg25-8k-440.mp3")));
    SetCurrentDirectoryW(before);
}

TEST(BellFiles, TheOpenFileBoxBelongsToTheWindowAndGivesTheFullPathOfTheFileChosen) {
    TestWindow owner;
    forms::Window form{"Form1", "计时器"};
    form.setHandle(owner.handle());
    forms::win32::Win32FilePicker picker;
    picker.setOwner(form);
    const std::wstring path = hostPath(ZANTIRO_BELLS_DIR) + L"\\pcm8-8k-440.wav";
    HWND boxOwner = nullptr;  // not owned
    wchar_t firstFilter[64] = {};
    std::thread user([&] {
        HWND box = nullptr;  // not owned
        for (int tries = 0; tries < 3000 && box == nullptr; ++tries, Sleep(10)) {
            box = FindWindowW(L"#32770", L"选择铃声");
        }
        boxOwner = GetWindow(box, GW_OWNER);
        SendMessageW(GetDlgItem(box, 0x470), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(firstFilter));  // cmb1
        SetDlgItemTextW(box, 0x480, path.c_str());  // the name box, edt1 (<dlgs.h>); Windows' newer box has cmb13
        SetDlgItemTextW(box, 0x47c, path.c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> chosen = picker.chooseSoundFile();
    user.join();
    EXPECT_EQ(boxOwner, owner.hwnd());
    EXPECT_STREQ(firstFilter, L"声音文件 (*.wav;*.mp3)");
    EXPECT_EQ(chosen, forms::win32::narrow(path));
}

}  // namespace
}  // namespace zantiro::wine_tests
