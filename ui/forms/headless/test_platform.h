// The screenless platform: recording, scripted and folder-backed stand-ins for what Windows gives.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms/platform.h"

namespace zantiro::forms::headless {

// Records each user32 call as text and keeps the style words so that they read back as written.
class RecordingWindowSystem final : public WindowSystem {
public:
    std::intptr_t getWindowLong(WindowHandle window, int index) override;
    void setWindowLong(WindowHandle window, int index, std::intptr_t value) override;
    void setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags)
        override;
    void setLayeredWindowAttributes(WindowHandle window, Colour key, std::uint8_t alpha, unsigned flags) override;
    void releaseCapture() override;
    std::intptr_t sendMessage(WindowHandle window,
                              unsigned message,
                              std::uintptr_t wParam,
                              std::intptr_t lParam) override;

    std::vector<std::string> calls;
    std::map<int, std::intptr_t> longs;  // by index, as a freshly created overlapped window has them
    std::optional<std::uint8_t> alpha;
};

class FixedScreen final : public Screen {
public:
    FixedScreen(float widthTwips, float heightTwips) : width_(widthTwips), height_(heightTwips) {}
    float widthTwips() override { return width_; }
    float heightTwips() override { return height_; }
    void resize(float widthTwips, float heightTwips) {
        width_ = widthTwips;
        height_ = heightTwips;
    }

private:
    float width_, height_;
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
    std::string ask(std::string_view prompt, std::string_view title, std::string_view defaultText) override;
    void answer(std::optional<std::string> text) { script_.push_back(std::move(text)); }
    std::size_t pendingAnswers() const { return script_.size(); }

    std::vector<Question> questions;

private:
    std::deque<std::optional<std::string>> script_;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void playAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

// A real folder on this machine. Paths arrive spelt for Windows; the "\" separator maps to "/".
class FolderFileSystem final : public FileSystem {
public:
    explicit FolderFileSystem(std::string folder) : folder_(std::move(folder)) {}
    std::string programFolder() override { return folder_; }
    bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) override;

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
class ScriptedRandom final : public RandomSource {
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
    std::string timeText = "9:41:07";
    std::string separator = ".";
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

}  // namespace zantiro::forms::headless
