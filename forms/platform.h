// What the program needs of its platform, as small interfaces: the real ones call Windows, the test ones record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
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
    // copy, which stays valid while it plays. With nothing embedded: the file, or the default sound. A looping
    // sound starts again as it ends until stop() or another sound.
    virtual void play(const std::string& path, std::span<const std::uint8_t> embedded, bool loop = false) = 0;
    // A whole WAV file's image in memory; the caller keeps the bytes alive and unchanged until another sound or
    // stop(). False when the player refused it (nothing plays then).
    virtual bool playMemory(std::span<const std::uint8_t> wav, bool loop) = 0;
    // Ends whatever plays; nothing when nothing does.
    virtual void stop() = 0;
};

// Why a file could not be read whole.
enum class ReadFailure { Missing, Folder, Unreadable, TooLarge };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The folder of the program, without a trailing separator.
    virtual std::string programFolder() = 0;
    // Opens for read and write without emptying, creating it if needed, and writes from the first byte.
    virtual bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // The whole file at path (absolute, or relative to the current folder), when it holds at most limit bytes.
    virtual std::variant<std::vector<std::uint8_t>, ReadFailure> readWhole(const std::string& path,
                                                                           std::size_t limit) = 0;
};

// MPEG audio layer III frames as a decoder is told about them; every frame has the first one's rate and channels.
struct Mp3Frames {
    std::span<const std::uint8_t> bytes;  // whole frames back to back, no tags
    int sampleRate = 0;                   // Hz
    int channels = 0;                     // 1 or 2
    int bitrate = 0;                      // bits a second of the first frame
    int firstFrameBytes = 0;
    std::size_t frameCount = 0;
    int samplesPerFrame = 0;  // per channel: 1152 for MPEG-1, 576 for MPEG-2 and 2.5
};

// Decodes compressed sound with what the system ships.
class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    // Interleaved 16-bit samples at the frames' rate and channels; none when the system cannot decode them.
    virtual std::optional<std::vector<std::int16_t>> decodeMp3(const Mp3Frames& frames) = 0;
};

// The system's box for choosing a file to open, owned by the main window.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    // A sound file's full path in UTF-8, or none when the box was cancelled.
    virtual std::optional<std::string> chooseSoundFile() = 0;
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
    FilePicker& filePicker;
    SoundDecoder& soundDecoder;
};

}  // namespace zantiro::forms
