// The main window Form1: its controls as designed, and the handlers of the window itself.
#pragma once

#include <array>
#include <optional>

#include "core/command_line.h"
#include "core/timing_engine.h"
#include "effects/wall_clock.h"
#include "effects/warning_colours.h"
#include "forms/controls.h"
#include "forms/platform.h"
#include "forms/window.h"
#include "sound/sound_effects.h"

namespace zantiro::ui {

using forms::CommandButton;
using forms::Label;
using forms::MenuItem;
using forms::Shape;
using forms::Timer;

extern const forms::Font kDigitsFont;  // 72 pt
extern const forms::Font kClockFont;   // 12 pt
extern const forms::Font kButtonFont;  // 10.5 pt

// The window's outer size at run time, in twips.
inline constexpr float kWindowWidth = 3920;
inline constexpr float kWindowHeight = 2450;

class Form1 {
public:
    explicit Form1(forms::Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The design, in tab-index and menu order.
    forms::Window window;
    Label Label1;                 // hours, never shown
    std::array<Label, 2> Label2;  // ":" before the minutes (never shown), ":" before the seconds
    Label Label3;                 // minutes
    Label Label4;                 // seconds
    CommandButton Command1;       // start / stop
    CommandButton Command2;       // pause / resume
    CommandButton Command3;       // reset
    CommandButton Command4;       // function menu
    CommandButton Command5;       // exit
    Label Label5;                 // "当前时间："
    Label Label6;                 // wall clock
    Shape Shape1;                 // frame around the digits
    forms::Line Line1;
    Timer Timer1;  // wall clock
    Timer Timer2;  // count-up tick
    Timer Timer3;  // countdown tick
    Timer Timer4;  // end flashing

    MenuItem menucaidan;  // hidden top level, shown as the popup
    MenuItem menuzheng;   // count-up mode
    MenuItem menu1;
    MenuItem menudao;  // countdown submenu
    MenuItem dao1, dao3, dao5, dao10, daodiy;
    MenuItem menu0;
    MenuItem yinxiao;  // sound switch
    MenuItem menu2;
    MenuItem weizhi;  // placement submenu
    MenuItem zhong, di, ding, youxia, zuoxia, youshang, zuoshang;
    MenuItem menu8;
    MenuItem touming;  // transparency submenu
    MenuItem tou90, tou80, tou75, tou50, tou30, tou0;
    MenuItem menu01;
    MenuItem menuexit;

    effects::WarningColours warnings;
    effects::WallClock wallClock;
    sound::SoundEffects sounds;
    core::TimingEngine timing;

    void Form_Load();
    void Form_Unload();
    void Form_DpiChanged();
    void Form_DisplayChange();
    // Ctrl + wheel steps the window's scale; the plain wheel does nothing.
    void Form_MouseWheel(int notches, int shift);

    // Before the load: the window drawn at `percent` of its monitor's scale (100 to 400), or at the largest step
    // that the primary monitor's work area holds.
    void startAtScale(int percent);

    void Command4_Click();
    void Command5_Click() { window.unload(); }
    void menuexit_Click() { window.unload(); }
    // F1 to F5 choose their countdown item as the function menu would, while the function button is enabled.
    void functionKey(int number);
    // Ctrl+Alt+F1 to F8 (1 to 8), from any program: F1 to F5's handlers, then start or pause/resume, stop, reset.
    void hotkey(int number);

    // Dragging by the background or a label: the left button alone hands the move to the system.
    void dragMouseMove(int button);

    void chooseTransparency(MenuItem& item, std::uint8_t alpha);

    // The command line's choices, after the load handling, as the menus and F-keys make them; nothing without
    // options. Pressing start is left to the caller, once the window shows.
    void applyStartOptions(const core::StartOptions& options);

    // The point of the window that keeps its place when the scale changes, on the screen in pixels.
    struct PinnedPoint {
        double across, down;  // 0 the left or top edge, 0.5 the middle, 1 the right or bottom edge
        double x, y;
    };

private:
    void wireEvents();
    void layOutDigits();
    void deriveFromSize();
    // To `percent`, or the largest step the monitor's work area holds, keeping the point the placement pins.
    void rescale(int percent);
    int fittingScale(int percent, const forms::TwipsRect& work) const;
    void choosePlacement(MenuItem& item, const forms::MonitorArea& screen, float left, float top);
    void placeAtStart();
    void placementClick(MenuItem& item);
    void runFunctionMenu(const std::function<void()>& choose);
    // Asks the platform to keep the screen on exactly while a run is in progress.
    void keepAwakeWhileRunning();

    forms::Platform& platform_;
    bool keptAwake_ = false;             // what the platform was last asked
    bool placementChosen_ = false;       // a placement item was chosen (the start-up place is not one)
    std::optional<PinnedPoint> pinned_;  // by the last change of scale
    forms::PixelRect scaledTo_;          // where that change put the window
};

}  // namespace zantiro::ui
