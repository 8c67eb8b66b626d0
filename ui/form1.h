// The main window Form1: its controls as designed, and the handlers of the window itself.
//
// The design's names and what they are (the other files use the names without explaining them again):
//
// The time display and the clock
//   Label1      hours, shown only while 显示小时 is checked
//   Label2[0]   ":" between the hours and the minutes, shown with the hours
//   Label3      minutes
//   Label2[1]   ":" between the minutes and the seconds
//   Label4      seconds
//   Shape1      the frame around the digits, whose colour warns as a countdown ends
//   Line1       the rule between the buttons and the clock
//   Label5      "当前时间：", the clock's caption
//   Label6      the wall clock
//
// The buttons
//   Command1    开 始 / 停 止: start and stop a run
//   Command2    暂 停 / 恢 复: pause and resume
//   Command3    复 位: reset the display and the count to the mode's start
//   Command4    功 能: the function menu
//   Command5    退 出: exit
//
// The timers
//   Timer1      the wall clock's tick, every second, always on
//   Timer2      the count-up tick, every second
//   Timer3      the countdown tick, every second
//   Timer4      the flashing at the end of a countdown, every half second
//
// The function menu (menucaidan, hidden, shown as the popup)
//   menuzheng                         正计时: count up
//   menudao                           the countdown submenu: dao1, dao3, dao5, dao10 (1, 3, 5, 10 minutes, F1 to
//                                     F4), daodiy (自定义时间, a length typed in, F5) and daoshike (到时刻…, a
//                                     countdown to a time of day typed in, started at once)
//   yinxiao                           音效: the sound switch
//   weizhi                            位置, the placement submenu: zhong (centre), di (bottom centre), ding (top
//                                     centre), youxia (bottom right), zuoxia (bottom left), youshang (top right),
//                                     zuoshang (top left)
//   touming                           透明度, the transparency submenu: tou90 … tou0 (90 % to 0 %)
//   xiaoshi                           显示小时: the hours and their colon shown left of the minutes, in a wider window
//   menuexit                          退出
//   menu1, menu0, menu2, menu8, menu01  separators
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

// The window's outer size at run time, in twips, while the hours are hidden; showing them widens it by their width.
inline constexpr float kWindowWidth = 3920;
inline constexpr float kWindowHeight = 2450;
// Where Line1 ends in the design, past the window's right edge.
inline constexpr float kRuleEnd = 6120;

class Form1 {
public:
    explicit Form1(forms::Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The design, in tab-index and menu order.
    forms::Window window;
    Label Label1;
    std::array<Label, 2> Label2;
    Label Label3;
    Label Label4;
    CommandButton Command1;
    CommandButton Command2;
    CommandButton Command3;
    CommandButton Command4;
    CommandButton Command5;
    Label Label5;
    Label Label6;
    Shape Shape1;
    forms::Line Line1;
    Timer Timer1;
    Timer Timer2;
    Timer Timer3;
    Timer Timer4;

    MenuItem menucaidan;
    MenuItem menuzheng;
    MenuItem menu1;
    MenuItem menudao;
    MenuItem dao1, dao3, dao5, dao10, daodiy, daoshike;
    MenuItem menu0;
    MenuItem yinxiao;
    MenuItem menu2;
    MenuItem weizhi;
    MenuItem zhong, di, ding, youxia, zuoxia, youshang, zuoshang;
    MenuItem menu8;
    MenuItem touming;
    MenuItem tou90, tou80, tou75, tou50, tou30, tou0;
    MenuItem xiaoshi;
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

    // Before the window is made, the scale and the load: the window starts on monitor `number` (1 the primary, the
    // others left to right, then top to bottom); without that monitor on the primary, and the notice below the timer
    // says so. 0 changes nothing.
    void startOnMonitor(int number);
    // Before the load: the window drawn at `percent` of its monitor's scale (100 to 400), or at the largest step
    // that the work area of the monitor it starts on holds.
    void startAtScale(int percent);

    void Command4_Click();
    void Command5_Click() { window.unload(); }
    void menuexit_Click() { window.unload(); }
    // F1 to F5 choose their countdown item as the function menu would, while the function menu is offered; F9 and
    // F10 add and take away a minute while a run is in progress.
    void functionKey(int number);
    // Ctrl+Alt+F1 to F10 (1 to 10), from any program: the F-keys' handlers, but 6 to 8: start or pause/resume,
    // stop, reset.
    void hotkey(int number);

    // Dragging by the background or a label: the left button alone hands the move to the system.
    void dragMouseMove(int button);

    void chooseTransparency(MenuItem& item, std::uint8_t alpha);

    // Checks 显示小时 and lays the window out as the item does; nothing when the hours show already. For countdowns
    // that reach an hour or more by other means than a length typed in.
    void showHours();

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
    // The same, also when the scale stays: the window takes the width the row needs now, in one move.
    void fitWindow(int percent, bool widthChanged);
    int fittingScale(int percent, const forms::TwipsRect& work) const;
    // The window's width for the row it shows: today's, or wider by the hours and their colon.
    float windowWidth() const;
    void xiaoshi_Click() { showHoursIf(!xiaoshi.checked()); }
    void showHoursIf(bool shown);
    // The time as a screen reader reads it: what the row shows, hours included while they are shown.
    forms::ReadableText readableTime() const;
    // A length of an hour or more shows only its minutes and seconds while the hours are hidden: the notice says so.
    void adviseHours();
    // A countdown that became an hour or longer without a length typed in (a time of day, a minute more) shows the
    // hours by itself, so that it never reads as a few minutes.
    void showHoursWhenLong();
    void choosePlacement(MenuItem& item, const forms::MonitorArea& screen, float left, float top);
    // The monitor the window starts on, as it is now: the one asked for, else the primary.
    forms::MonitorArea startMonitor() const;
    void placeAtStart(const forms::MonitorArea& monitor);
    void placementClick(MenuItem& item);
    void runFunctionMenu(const std::function<void()>& choose);
    // Asks the platform to keep the screen on exactly while a run is in progress.
    void keepAwakeWhileRunning();

    forms::Platform& platform_;
    bool keptAwake_ = false;             // what the platform was last asked
    int startMonitor_ = 1;               // the monitor to start on, numbered as the user counts them
    bool placementChosen_ = false;       // a placement item was chosen (the start-up place is not one)
    std::optional<PinnedPoint> pinned_;  // by the last change of scale
    forms::PixelRect scaledTo_;          // where that change put the window
};

}  // namespace zantiro::ui
