// The embedded sounds and their extraction next to the program through the real Win32 file calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/services.h"
#include "forms/win32/text.h"
#include "resources/resource_ids.h"
#include "sound/sound_effects.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::win32::narrow;
using forms::win32::widen;
using Bytes = std::vector<std::uint8_t>;

Bytes sourceAsset(const char* name) {
    const auto bytes = readFile(hostPath(std::string(ZANTIRO_RESOURCES_DIR) + "/" + name));
    return bytes.value_or(Bytes{});
}

BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
    return TRUE;
}

Bytes toVector(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(EmbeddedSounds, AreCustomResourcesInChinesePrcEqualToTheSourceFiles) {
    for (const auto& [id, file] : {std::pair{IDR_TI_WAV, "ti.wav"}, std::pair{IDR_LING_WAV, "ling.wav"}}) {
        SCOPED_TRACE(file);
        // Only in Chinese (PRC), the language the loader asks for first.
        std::vector<LANGID> languages;
        EnumResourceLanguagesW(nullptr, L"CUSTOM", MAKEINTRESOURCEW(id), collectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<LANGID>{2052});

        const Bytes expected = sourceAsset(file);
        ASSERT_FALSE(expected.empty()) << "cannot read the source file through drive Z:";
        forms::win32::Win32Resources resources;
        EXPECT_EQ(toVector(resources.bytes(id, sound::kAssetType)), expected);
    }
}

TEST(EmbeddedSounds, HaveTheSizesTheAssetsWereMadeWith) {
    forms::win32::Win32Resources resources;
    EXPECT_EQ(resources.bytes(IDR_TI_WAV, "CUSTOM").size(), 119384u);
    EXPECT_EQ(resources.bytes(IDR_LING_WAV, "CUSTOM").size(), 38930u);
}

TEST(EmbeddedResources, MissingOnesAreEmptyAndOtherLanguagesAreFoundByTheFallback) {
    forms::win32::Win32Resources resources;
    EXPECT_TRUE(resources.bytes(999, "CUSTOM").empty());
    EXPECT_TRUE(resources.bytes(IDR_TI_WAV, "WAVE").empty());
    // The background picture is a language-neutral RT_BITMAP ("#2"): only FindResourceW finds it.
    const auto picture = resources.bytes(IDR_BACKGROUND, "#2");
    ASSERT_GE(picture.size(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(picture.data())->biSize, sizeof(BITMAPINFOHEADER));
}

TEST(ProgramFolder, IsTheExecutablesFolderWithoutTrailingSeparator) {
    forms::win32::Win32FileSystem files;
    const std::string folder = files.programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_NE(folder.back(), '/');
    const DWORD attributes = GetFileAttributesW(widen(folder + "\\zantiro_wine_tests.exe").c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
}

// Win32 writes into a test folder whose name is Chinese, proving the wide path from UTF-8 to CreateFileW.
class FolderFiles final : public forms::FileSystem {
public:
    explicit FolderFiles(std::string folder) : folder_(std::move(folder)) {}
    std::string programFolder() override { return folder_; }
    bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) override {
        return real_.writeFromStart(path, bytes);
    }
    std::variant<std::vector<std::uint8_t>, forms::ReadFailure> readWhole(const std::string& path,
                                                                          std::size_t limit) override {
        return real_.readWhole(path, limit);
    }

private:
    std::string folder_;
    forms::win32::Win32FileSystem real_;
};

class SilentPlayer final : public forms::SoundPlayer {
public:
    void play(const std::string&, std::span<const std::uint8_t>, bool) override {}
    bool playMemory(std::span<const std::uint8_t>, bool) override { return true; }
    void stop() override {}
};

class SoundExtraction : public ::testing::Test {
protected:
    int extract() {
        FolderFiles files(narrow(folder.path()));
        forms::win32::Win32Resources resources;
        SilentPlayer player;
        return sound::SoundEffects(files, resources, player).ExtractSoundFiles();
    }
    std::wstring path(const wchar_t* name) const { return folder.path() + L"\\" + name; }

    TempFolder folder{L"计时器测试"};
};

TEST_F(SoundExtraction, WritesBothFilesByteForByte) {
    EXPECT_EQ(extract(), 2);
    EXPECT_EQ(readFile(path(L"ti.wav")), sourceAsset("ti.wav"));
    EXPECT_EQ(readFile(path(L"ling.wav")), sourceAsset("ling.wav"));
}

TEST_F(SoundExtraction, RewritingALongerFileKeepsItsTail) {
    const Bytes tail(1000, 0xAB);
    Bytes longer(119384, 0x11);
    longer.insert(longer.end(), tail.begin(), tail.end());
    ASSERT_TRUE(writeFile(path(L"ti.wav"), longer));

    EXPECT_EQ(extract(), 2);
    Bytes expected = sourceAsset("ti.wav");
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(readFile(path(L"ti.wav")), expected);
}

TEST_F(SoundExtraction, FileHeldOpenWithoutSharingIsSkipped) {
    ASSERT_TRUE(writeFile(path(L"ling.wav"), Bytes(10, 0x22)));
    HANDLE held = CreateFileW(path(L"ling.wav").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    forms::win32::Win32FileSystem files;
    const Bytes bytes(20, 0x33);
    EXPECT_FALSE(files.writeFromStart(narrow(path(L"ling.wav")), bytes));
    EXPECT_EQ(extract(), 1) << "the other file is still written";
    CloseHandle(held);

    EXPECT_EQ(readFile(path(L"ling.wav")), Bytes(10, 0x22));
    EXPECT_EQ(readFile(path(L"ti.wav")), sourceAsset("ti.wav"));
}

TEST_F(SoundExtraction, WriteIntoAMissingFolderFails) {
    forms::win32::Win32FileSystem files;
    const Bytes bytes(4, 0x44);
    EXPECT_FALSE(files.writeFromStart(narrow(path(L"没有这个文件夹\\ti.wav")), bytes));
    EXPECT_TRUE(files.writeFromStart(narrow(path(L"空.wav")), {}));
    EXPECT_EQ(readFile(path(L"空.wav")), Bytes{});
}

}  // namespace
}  // namespace zantiro::wine_tests
