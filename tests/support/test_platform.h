// Test stand-ins for what Windows gives: recording, scripted and folder-backed platform services.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/frame_colours.h"
#include "forms/platform.h"

namespace zantiro::testing {

using forms::FileSystem, forms::InputBox, forms::MenuItem, forms::MonitorArea, forms::PopupMenu, forms::Power,
    forms::Program, forms::Regional, forms::Resources, forms::Screen, forms::SoundPlayer, forms::WindowHandle,
    forms::WindowSystem;

// Records each intent as text ("setOpacity 128") and the opacity last set.
class RecordingWindowSystem final : public WindowSystem {
public:
    void removeTitleBar(WindowHandle) override { intents.emplace_back("removeTitleBar"); }
    void makeTopmost(WindowHandle) override { intents.emplace_back("makeTopmost"); }
    void setOpacity(WindowHandle, std::uint8_t alpha) override {
        intents.push_back("setOpacity " + std::to_string(alpha));
        opacity = alpha;
    }
    void beginDrag(WindowHandle) override { intents.emplace_back("beginDrag"); }

    std::vector<std::string> intents;
    std::optional<std::uint8_t> opacity;  // none until the window is made layered
};

// The primary monitor, and as many others as a test plugs in, in twips at the monitor's DPI: a window scaled up
// sees them in its own larger twips, as on Windows.
class FixedScreen final : public Screen {
public:
    FixedScreen(float widthTwips, float heightTwips) : monitors_{{0, 0, widthTwips, heightTwips}} {}
    void setWindow(const forms::Window& window) { window_ = &window; }
    std::vector<MonitorArea> monitors() override;
    void setWorkArea(const forms::TwipsRect& work) { monitors_.front().work = work; }
    void resize(float widthTwips, float heightTwips) {
        monitors_.front().width = widthTwips;
        monitors_.front().height = heightTwips;
    }
    void plugIn(const MonitorArea& monitor) { monitors_.push_back(monitor); }
    void unplugLast() { monitors_.pop_back(); }

private:
    std::vector<MonitorArea> monitors_;  // the primary first
    const forms::Window* window_ = nullptr;
};

// Chooses the scripted item by name, or none; an unscripted popup is dismissed.
class ScriptedPopupMenu final : public PopupMenu {
public:
    void showPopup(MenuItem& menu) override;
    void choose(std::optional<std::string> itemName) { script_.push_back(std::move(itemName)); }

    int shown = 0;

private:
    std::deque<std::optional<std::string>> script_;
};

// Answers with the scripted texts; nothing scripted, or nullopt, is Cancel.
class ScriptedInputBox final : public InputBox {
public:
    struct Question {
        std::string prompt, title, defaultText;
    };
    std::optional<std::string> ask(std::string_view prompt,
                                   std::string_view title,
                                   std::string_view defaultText) override;
    void answer(std::optional<std::string> text) { script_.push_back(std::move(text)); }
    std::size_t pendingAnswers() const { return script_.size(); }

    std::vector<Question> questions;

private:
    std::deque<std::optional<std::string>> script_;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& path, std::span<const std::uint8_t> embedded, bool loop = false) override {
        played.push_back(path);
        embeddedSizes.push_back(embedded.size());
        looped.push_back(loop);
    }
    bool playMemory(std::span<const std::uint8_t> wav, bool loop) override {
        played.push_back("memory " + std::to_string(wav.size()));
        looped.push_back(loop);
        return true;
    }
    void stop() override { played.emplace_back("stop"); }
    std::vector<std::string> played;         // paths, "memory SIZE" and "stop"
    std::vector<std::size_t> embeddedSizes;  // of the copy handed over with each path
    std::vector<bool> looped;                // of each sound played
};

// A real folder on this machine. Paths arrive spelt for Windows; the "\" separator maps to "/".
class FolderFileSystem final : public FileSystem {
public:
    explicit FolderFileSystem(std::string folder) : folder_(std::move(folder)) {}
    std::string programFolder() override { return folder_; }
    bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) override;
    // Through std::filesystem, a path as this machine spells it.
    std::variant<std::vector<std::uint8_t>, forms::ReadFailure> readWhole(const std::string& path,
                                                                          std::size_t limit) override;

    std::vector<std::string> written;  // paths, as given

private:
    std::string folder_;
};

// Resources read from files: id -> file in a folder.
class FolderResources final : public Resources {
public:
    FolderResources(std::string folder, std::map<int, std::string> files);
    std::span<const std::uint8_t> bytes(int id, std::string_view type) override;

private:
    std::map<int, std::vector<std::uint8_t>> loaded_;
};

// Draws scripted values in turn, then falls back to a fixed sequence; counts the reseeds.
class ScriptedRandom final : public core::RandomSource {
public:
    void reseed() override { ++reseeds; }
    float next() override;
    void script(std::initializer_list<float> values) { values_.insert(values_.end(), values); }

    int reseeds = 0;

private:
    std::deque<float> values_;
    std::uint32_t fallback_ = 12345;
};

class FixedRegional final : public Regional {
public:
    std::string longTimeText() override { return timeText; }
    std::string decimalSeparator() override { return separator; }
    forms::TimeOfDay timeOfDay() override { return now; }
    std::string timeText = "9:41:07";
    std::string separator = ".";
    forms::TimeOfDay now{9, 41, 7, 0};
};

// Records each request: true asks to stay awake, false withdraws.
class RecordingPower final : public Power {
public:
    void keepAwake(bool awake) override { requests.push_back(awake); }
    bool awake() const { return !requests.empty() && requests.back(); }
    std::vector<bool> requests;
};

class RecordingAnnouncer final : public forms::Announcer {
public:
    void announce(std::string_view text) override { heard.emplace_back(text); }
    std::vector<std::string> heard;
};

class RecordingNotifier final : public forms::Notifier {
public:
    void notify(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

// Answers with the path a test set, once; none is Cancel.
class ScriptedFilePicker final : public forms::FilePicker {
public:
    std::optional<std::string> chooseSoundFile() override { return std::exchange(path, std::nullopt); }
    std::optional<std::string> path;
};

// No decoder for MP3 here: the native build reads WAV bells only.
class WavOnlyDecoder final : public forms::SoundDecoder {
public:
    std::optional<std::vector<std::int16_t>> decodeMp3(const forms::Mp3Frames&) override { return std::nullopt; }
};

// Ending the program unwinds to whoever dispatched the event, like a process that is gone.
struct ProgramEnded {};

class HeadlessProgram final : public Program {
public:
    [[noreturn]] void end() override {
        ended = true;
        throw ProgramEnded{};
    }
    bool ended = false;
};

}  // namespace zantiro::testing
