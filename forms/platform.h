// What the program needs of its platform, as small interfaces: the real ones call Windows, the test ones record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/window.h"

namespace zantiro::forms {

// What the window asks of the window manager for itself, one intent per call.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Takes away the caption and the sizing frame, adds the system menu and the minimise box; other styles stay.
    virtual void removeTitleBar(WindowHandle window) = 0;
    // Above every window that is not topmost, without moving, sizing or activating it.
    virtual void makeTopmost(WindowHandle window) = 0;
    // 0 is invisible, 255 opaque; the window stays layered from the first call on.
    virtual void setOpacity(WindowHandle window, std::uint8_t alpha) = 0;
    // Hands a move with the left button held down to the system, as a press on a title bar would.
    virtual void beginDrag(WindowHandle window) = 0;
};

struct TwipsRect {
    float left = 0, top = 0, width = 0, height = 0;
};

// A monitor's whole rectangle in twips, relative to the primary monitor's top-left corner, and its work area: the
// part the taskbar and docked bars leave free (empty when the platform names none: then all of it).
struct MonitorArea {
    float left = 0, top = 0, width = 0, height = 0;
    TwipsRect work{};
};

class Screen {
public:
    virtual ~Screen() = default;
    // Every monitor as it is now, the primary first; never empty.
    virtual std::vector<MonitorArea> monitors() = 0;
};

// Shows a menu's items as a modal popup at the mouse cursor; a chosen item's click has run when it returns.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    virtual void showPopup(MenuItem& menu) = 0;
};

// A modal question; the entered text, or none on Cancel.
class InputBox {
public:
    virtual ~InputBox() = default;
    virtual std::optional<std::string> ask(std::string_view prompt,
                                           std::string_view title,
                                           std::string_view defaultText) = 0;
};

// Plays a sound in the background; a new sound cuts off the one playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // The WAV file at path when it holds the embedded sound and the player can open it; otherwise the embedded
    // copy, which stays valid while it plays. With nothing embedded: the file, or the default sound.
    virtual void play(const std::string& path, std::span<const std::uint8_t> embedded) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The folder of the program, without a trailing separator.
    virtual std::string programFolder() = 0;
    // Opens for read and write without emptying, creating it if needed, and writes from the first byte.
    virtual bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
};

class Resources {
public:
    virtual ~Resources() = default;
    // Empty when there is no such resource.
    virtual std::span<const std::uint8_t> bytes(int id, std::string_view type) = 0;
};

// A time of day as the wall clock shows it, to the millisecond.
struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The time of day and the user's regional ways of writing it and numbers.
class Regional {
public:
    virtual ~Regional() = default;
    virtual std::string longTimeText() = 0;
    virtual std::string decimalSeparator() = 0;
    virtual TimeOfDay timeOfDay() = 0;  // now, local time
};

// Keeps the display and the system from sleeping for as long as asked.
class Power {
public:
    virtual ~Power() = default;
    virtual void keepAwake(bool awake) = 0;
};

// Tells a screen reader something it should say without being asked: a short text, once.
class Announcer {
public:
    virtual ~Announcer() = default;
    virtual void announce(std::string_view text) = 0;
};

// A short text beside the window for a few seconds, which takes neither the foreground nor the keyboard; a new one
// replaces the one showing.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(std::string_view text) = 0;
};

class Program {
public:
    virtual ~Program() = default;
    [[noreturn]] virtual void end() = 0;  // at once, exit code 0
};

struct Platform {
    WindowSystem& windowSystem;
    Screen& screen;
    PopupMenu& popupMenu;
    InputBox& inputBox;
    SoundPlayer& soundPlayer;
    FileSystem& fileSystem;
    Resources& resources;
    Regional& regional;
    Program& program;
    Power& power;
    Announcer& announcer;
    Notifier& notifier;
};

}  // namespace zantiro::forms
