// Which copy of a sound the player takes: the file only when the file player can really play it.
#include "forms/win32/sound_player.h"

#include <gtest/gtest.h>

#include "forms/win32/services.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::win32::chooseSoundSource;
using forms::win32::SoundSource;

TEST(SoundSource, TheFileOnlyWhenItHoldsTheSoundOpensForThePlayerAndHasAnAnsiPath) {
    const auto embedded = forms::win32::Win32Resources().bytes(101, "CUSTOM");
    ASSERT_EQ(embedded.size(), 119'384u);
    const std::vector<std::uint8_t> sound(embedded.begin(), embedded.end());
    TempFolder folder(L"sound-source");
    const std::wstring path = folder.path() + L"\\ti.wav";

    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::Embedded) << "missing";
    EXPECT_EQ(chooseSoundSource(path, {}), SoundSource::Default) << "missing, nothing embedded";

    ASSERT_TRUE(writeFile(path, sound));
    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::File);
    std::vector<std::uint8_t> longer = sound;
    longer.insert(longer.end(), 500, 0xAB);
    ASSERT_TRUE(writeFile(path, longer));
    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::File) << "a tail after the sound";
    ASSERT_TRUE(writeFile(path, std::vector<std::uint8_t>(sound.begin(), sound.end() - 1)));
    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::Embedded) << "one byte short";
    std::vector<std::uint8_t> changed = sound;
    changed[5000] ^= 1;
    ASSERT_TRUE(writeFile(path, changed));
    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::Embedded) << "one sample changed";

    ASSERT_TRUE(writeFile(path, sound));
    for (const DWORD share : {0ul, static_cast<unsigned long>(FILE_SHARE_READ | FILE_SHARE_WRITE)}) {
        const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::Embedded) << "held by a writer, share " << share;
        CloseHandle(held);
    }
    const HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(chooseSoundSource(path, embedded), SoundSource::File) << "another reader";
    CloseHandle(reader);

    const std::wstring directory = folder.path() + L"\\ling.wav";
    ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
    EXPECT_EQ(chooseSoundSource(directory, embedded), SoundSource::Embedded) << "a directory";
    EXPECT_EQ(chooseSoundSource(directory, {}), SoundSource::Default) << "a directory, nothing embedded";
    RemoveDirectoryW(directory.c_str());

    // U+1F514, a bell: no ANSI code page holds it, so the file player could not open the path.
    const std::wstring bell = folder.path() + L"\\\U0001F514";
    ASSERT_TRUE(CreateDirectoryW(bell.c_str(), nullptr));
    ASSERT_TRUE(writeFile(bell + L"\\ti.wav", sound));
    EXPECT_EQ(chooseSoundSource(bell + L"\\ti.wav", embedded),
              GetACP() == CP_UTF8 ? SoundSource::File : SoundSource::Embedded);
    DeleteFileW((bell + L"\\ti.wav").c_str());
    RemoveDirectoryW(bell.c_str());
}

}  // namespace
}  // namespace zantiro::wine_tests
