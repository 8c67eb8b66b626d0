// The whole timer without a screen: Form1 on the headless backend, driven as a user would drive it.
#pragma once

#include <string>

#include "forms/headless/headless_backend.h"
#include "tests/support/test_platform.h"
#include "ui/form1.h"

namespace zantiro::testing {

struct HeadlessOptions {
    std::string folder = "/nonexistent-zantiro-folder";  // where the sound files go
    float screenWidthTwips = 28800;                      // 1920 x 1080 pixels at 96 dpi
    float screenHeightTwips = 16200;
    int dpi = 96;
    forms::TwipsRect workArea{};  // of the primary monitor; empty: all of it
    int scale = 0;                // as /scale gives it, before the load; 0: none
};

class HeadlessApp {
public:
    explicit HeadlessApp(const HeadlessOptions& options = {});

    RecordingWindowSystem windowSystem;
    FixedScreen screen;
    ScriptedPopupMenu popupMenu;
    ScriptedInputBox inputBox;
    RecordingSoundPlayer soundPlayer;
    FolderFileSystem fileSystem;
    FolderResources resources;
    ScriptedRandom random;
    FixedRegional regional;
    HeadlessProgram program;
    RecordingPower power;
    RecordingAnnouncer announcer;
    RecordingNotifier notifier;
    ScriptedFilePicker filePicker;
    WavOnlyDecoder soundDecoder;

private:
    forms::Platform platform_;

public:
    ui::Form1 form;
    forms::headless::HeadlessBackend backend;

    // A press of an enabled button; false when the button is disabled or the program has ended.
    bool press(forms::CommandButton& button);
    // The function button, with the popup's choice scripted (no name: dismissed).
    bool chooseFromMenu(const std::optional<std::string>& itemName);
    // Lets time pass; every due tick fires.
    void wait(std::int64_t milliseconds);
    bool ended() const { return program.ended; }

    // hh:mm:ss as the three time labels hold it; the window shows the mm:ss part.
    std::string display() const;
    // Count-up with a preset/custom name, or "menuzheng".
    std::string checkedModeItem() const;

private:
    bool dispatch(const std::function<void()>& event);
};

}  // namespace zantiro::testing
