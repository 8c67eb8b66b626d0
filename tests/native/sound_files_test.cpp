// The sound files written next to the program at start-up, into a real folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

namespace fs = std::filesystem;

std::vector<char> readAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SoundFiles : public ::testing::Test {
protected:
    fs::path folder;
    void SetUp() override {
        char pattern[] = "/tmp/zantiro-sound-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }
    static std::vector<char> asset(const char* name) { return readAll(fs::path(ZANTIRO_RESOURCES_DIR) / name); }
};

TEST_F(SoundFiles, StartUpWritesBothAssetsByteForByteInOrder) {
    HeadlessApp app({.folder = folder.string()});
    EXPECT_EQ(app.fileSystem.written,
              (std::vector<std::string>{folder.string() + "\\ti.wav", folder.string() + "\\ling.wav"}));
    EXPECT_EQ(readAll(folder / "ti.wav"), asset("ti.wav"));
    EXPECT_EQ(readAll(folder / "ling.wav"), asset("ling.wav"));
    EXPECT_EQ(fs::file_size(folder / "ti.wav"), 119'384u);
    EXPECT_EQ(fs::file_size(folder / "ling.wav"), 38'930u);
}

TEST_F(SoundFiles, ALongerFileKeepsItsTailAndAShorterOneIsOverwrittenWhole) {
    const std::vector<char> tail(5000, 'x');
    {
        std::ofstream longer(folder / "ti.wav", std::ios::binary);
        const std::vector<char> filler(119'384, 'y');
        longer.write(filler.data(), static_cast<std::streamsize>(filler.size()));
        longer.write(tail.data(), static_cast<std::streamsize>(tail.size()));
        std::ofstream shorter(folder / "ling.wav", std::ios::binary);
        shorter << "short";
    }
    HeadlessApp app({.folder = folder.string()});
    const std::vector<char> ti = readAll(folder / "ti.wav");
    const std::vector<char> expected = asset("ti.wav");
    ASSERT_EQ(ti.size(), expected.size() + tail.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), ti.begin()));
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), ti.begin() + static_cast<std::ptrdiff_t>(expected.size())));
    EXPECT_EQ(readAll(folder / "ling.wav"), asset("ling.wav"));
}

TEST_F(SoundFiles, StartingTwiceRewritesTheFiles) {
    { HeadlessApp first({.folder = folder.string()}); }
    std::ofstream(folder / "ling.wav", std::ios::binary | std::ios::in | std::ios::out) << "RIFX";
    HeadlessApp second({.folder = folder.string()});
    EXPECT_EQ(readAll(folder / "ling.wav"), asset("ling.wav"));
}

TEST_F(SoundFiles, AFolderThatCannotBeWrittenDoesNotStopStartUpAndTheSoundsAreStillAskedFor) {
    // Folders where the files should be: no one, root included, can open them for writing.
    fs::create_directory(folder / "ti.wav");
    fs::create_directory(folder / "ling.wav");
    HeadlessApp app({.folder = folder.string()});
    EXPECT_EQ(app.form.sounds.ExtractSoundFiles(), 0);
    EXPECT_TRUE(fs::is_directory(folder / "ti.wav"));
    EXPECT_TRUE(app.form.Timer1.enabled());  // start-up went on to the end
    EXPECT_TRUE(app.form.tou0.checked());
    app.chooseFromMenu("dao1");
    app.press(app.form.Command1);
    app.wait(60'000);
    // The player gets the paths, each with its own embedded copy to play when the file cannot serve.
    EXPECT_EQ(app.soundPlayer.played,
              (std::vector<std::string>{folder.string() + "\\ti.wav", folder.string() + "\\ling.wav"}));
    EXPECT_EQ(app.soundPlayer.embeddedSizes, (std::vector<std::size_t>{119'384, 38'930}));
}

TEST_F(SoundFiles, AFolderEndingInASeparatorGetsTheNameAppendedUnchanged) {
    HeadlessApp app({.folder = "C:\\"});
    app.chooseFromMenu("dao1");
    app.press(app.form.Command1);
    app.wait(30'000);
    EXPECT_EQ(app.soundPlayer.played, std::vector<std::string>{"C:\\\\ti.wav"});
}

TEST(SoundSwitch, TwoClicksRestoreItAndNoFileIsTouched) {
    HeadlessApp app;
    const auto written = app.fileSystem.written.size();
    app.chooseFromMenu("yinxiao");
    EXPECT_FALSE(app.form.yinxiao.checked());
    app.chooseFromMenu("yinxiao");
    EXPECT_TRUE(app.form.yinxiao.checked());
    EXPECT_EQ(app.fileSystem.written.size(), written);
    EXPECT_TRUE(app.soundPlayer.played.empty());
}

// A bell chosen in the box: heard at once, then at zero in a loop until the stop; a file that cannot serve leaves the
// bell as it was, says why, and the design's bell rings.
TEST(ChosenBell, PreviewedRepeatedUntilTheStopAndKeptWhenTheNextFileCannotServe) {
    const std::string bells = ZANTIRO_RESOURCES_DIR "/../tests/wine/bells/";
    HeadlessApp app;
    ui::Form1& f = app.form;
    app.filePicker.path = bells + "pcm16-44k-440-880.wav";
    app.chooseFromMenu("xuanzeling");
    ASSERT_EQ(app.soundPlayer.played.size(), 3u) << "the old preview stopped, the image replaced, the preview played";
    const std::string image = app.soundPlayer.played.back();
    EXPECT_TRUE(image.starts_with("memory ")) << image;
    EXPECT_TRUE(f.wenjianling.visible() && f.wenjianling.checked() && !f.morenling.checked());
    EXPECT_EQ(f.wenjianling.caption(), "pcm16-44k-440-880.wav");

    app.filePicker.path = bells + "text.mp3";
    app.chooseFromMenu("xuanzeling");
    EXPECT_EQ(app.notifier.shown.back(), "无法使用铃声 text.mp3：不是 WAV 或 MP3 文件，仍使用原来的铃声");
    EXPECT_EQ(f.wenjianling.caption(), "pcm16-44k-440-880.wav");
    app.chooseFromMenu("chongfu");
    app.inputBox.answer("0.1");
    app.chooseFromMenu("daodiy");
    app.soundPlayer.played.clear();
    app.soundPlayer.looped.clear();
    app.press(f.Command1);
    app.wait(60'000);
    app.press(f.Command1);
    EXPECT_EQ(app.soundPlayer.played, (std::vector<std::string>{image, "stop"}));
    EXPECT_EQ(app.soundPlayer.looped, std::vector<bool>{true});

    app.chooseFromMenu("morenling");
    app.press(f.Command1);
    app.wait(6000);
    EXPECT_EQ(app.soundPlayer.played.back(), "/nonexistent-zantiro-folder\\ling.wav");
}

}  // namespace
}  // namespace zantiro::testing
