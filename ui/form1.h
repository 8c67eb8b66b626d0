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
//   Label7      the title (标题…), centred in a band above the frame, only with a title
//   Label8      "-" before the digits while they count the time past zero (超时计时): a hyphen-minus, which
//               every face of 宋体 has
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
//   lingsheng                         铃声, the bell submenu: morenling (默认铃声, the design's bell), wenjianling (the
//                                     chosen file's name, shown once one was chosen), xuanzeling (选择文件…, the
//                                     open-file box), menu3 (separator), chongfu (重复到停止: the bell repeats)
//   weizhi                            位置, the placement submenu: zhong (centre), di (bottom centre), ding (top
//                                     centre), youxia (bottom right), zuoxia (bottom left), youshang (top right),
//                                     zuoshang (top left)
//   touming                           透明度, the transparency submenu: tou90 … tou0 (90 % to 0 %)
//   xiaoshi                           显示小时: the hours and their colon shown left of the minutes, in a wider window
//   chaoshi                           超时计时: a countdown goes on past zero, counting the time since
//   biaoti                            标题…: a title typed in, shown above the digits
//   menuexit                          退出
//   menu1, menu0, menu2, menu8, menu01  separators
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "core/clock_time.h"
#include "core/command_line.h"
#include "core/frame_colours.h"
#include "core/timer_model.h"
#include "forms/controls.h"
#include "forms/platform.h"
#include "forms/window.h"
#include "sound/bell_file.h"
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
extern const forms::Font kTitleFont;   // 21 pt, the buttons' font at twice its size

// The window's outer size at run time, in twips, while the hours are hidden; showing them widens it by their width.
inline constexpr float kWindowWidth = 3920;
inline constexpr float kWindowHeight = 2450;
// Where Line1 ends in the design, past the window's right edge.
inline constexpr float kRuleEnd = 6120;
// The design's rows from the top, below the title's band when there is one.
inline constexpr float kFrameInset = 25;
inline constexpr float kButtonTop = 1560;
inline constexpr float kRuleTop = 2040;
inline constexpr float kClockTop = 2160;

// The model's time of day: the wall clock as the regional settings read it.
class RegionalClock final : public core::TimeSource {
public:
    explicit RegionalClock(forms::Regional& regional) : regional_(regional) {}
    core::TimeOfDay timeOfDay() override {
        const forms::TimeOfDay now = regional_.timeOfDay();
        return {now.hour, now.minute, now.second, now.millisecond};
    }

private:
    forms::Regional& regional_;
};

class Form1 {
public:
    Form1(forms::Platform& platform, core::RandomSource& random);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

private:
    forms::Platform& platform_;
    RegionalClock clock_;

public:
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
    Label Label7;
    Label Label8;
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
    MenuItem lingsheng;
    MenuItem morenling, wenjianling, xuanzeling, menu3, chongfu;
    MenuItem menu2;
    MenuItem weizhi;
    MenuItem zhong, di, ding, youxia, zuoxia, youshang, zuoshang;
    MenuItem menu8;
    MenuItem touming;
    MenuItem tou90, tou80, tou75, tou50, tou30, tou0;
    MenuItem xiaoshi;
    MenuItem chaoshi;
    MenuItem biaoti;
    MenuItem menu01;
    MenuItem menuexit;

    core::TimerModel model;
    sound::SoundEffects sounds;

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

    void Command1_Click() {
        act([this] { model.startOrStop(); });
    }
    void Command2_Click() {
        act([this] { model.pauseOrResume(); });
    }
    void Command3_Click() {
        act([this] { model.reset(); });
    }
    void Command4_Click();
    void Command5_Click() { window.unload(); }
    // F1 to F5 choose their countdown as the function menu would, while the function menu is offered; F9 and F10 add
    // and take away a minute while a run is in progress.
    void functionKey(int number);
    // Ctrl+Alt+F1 to F10 (1 to 10), from any program: the F-keys' commands, but 6 to 8: start or pause/resume,
    // stop, reset, each only while its button is offered.
    void hotkey(int number);

    // The command line's choices, after the load handling, as the menus and F-keys make them; nothing without
    // options. Pressing start is left to the caller, once the window shows.
    void applyStartOptions(const core::StartOptions& options);

    // The point of the window that keeps its place when the scale changes, on the screen in pixels.
    struct PinnedPoint {
        double across, down;  // 0 the left or top edge, 0.5 the middle, 1 the right or bottom edge
        double x, y;
    };

private:
    // What the window shows of the model as it last wrote it, where writing it again would do more than nothing.
    struct Shown {
        bool hoursShown = false;
        int placedTimes = 0;
        std::optional<std::size_t> transparency;  // none: never layered
        bool awake = false;                       // what the platform was last asked
        bool minus = false;                       // Label8
        std::string title;
    };

    // Every input: a command of the model, then the window written from it.
    template <typename Command>
    void act(Command&& command) {
        command();
        render();
    }
    // Writes every caption, enabled flag, check mark, label, the frame, the timers and the window's size and place
    // from the model, then plays, says and shows its events.
    void render();
    void renderDisplay(const core::TimerState& s);
    void renderButtonsAndTimers(const core::TimerState& s);
    void renderMenu(const core::TimerState& s);
    void renderWindow(const core::TimerState& s);
    void renderEvents();
    // The sign and the title: true when the window's size and its readable texts follow.
    bool renderAudience(const core::TimerState& s);

    void wireEvents();
    void Timer1_Tick();
    void menuzheng_Click() {
        act([this] { model.countUp(); });
    }
    void presetClick(std::size_t preset) {
        act([this, preset] { model.choosePreset(preset); });
    }
    void daodiy_Click();
    void daoshike_Click();
    void yinxiao_Click() {
        act([this] { model.setSound(!model.state().soundOn); });
    }
    void morenling_Click() {
        act([this] { model.useDefaultBell(); });
    }
    void wenjianling_Click() {
        act([this] { model.useFileBell({}); });
    }
    void xuanzeling_Click();
    void chongfu_Click() {
        act([this] { model.setRepeatBell(!model.state().repeatBell); });
    }
    // The file at path read and decoded as the bell; a notice names it and says why when it cannot serve.
    bool chooseBellFile(const std::string& path);
    // The chosen file's bell while it is the bell and can play, else the design's.
    void playBell(bool repeat);
    void placementClick(std::size_t placement) {
        act([this, placement] { model.place(placement); });
    }
    void transparencyClick(std::size_t level) {
        act([this, level] { model.setTransparency(level); });
    }
    void xiaoshi_Click();
    void chaoshi_Click() {
        act([this] { model.countPastZero(!model.state().overtimeOn); });
    }
    void biaoti_Click();
    void Timer3_Tick();
    void menuexit_Click() { window.unload(); }
    // Dragging by the background or a label: the left button alone hands the move to the system.
    void dragMouseMove(int button);
    // The reset runs first, then the choice; afterwards start is armed and reset disarmed, whatever the choice did.
    void runFunctionMenu(const std::function<void()>& choose);

    // Layout, with the widths the backend measures for it: the labels' captions in their fonts at the window's DPI.
    void layOutDigits();
    float measuredWidth(const Label& label) const;
    void deriveFromSize();
    // The window's width for the row it shows: today's, or wider by the sign, the hours and their colon.
    float windowWidth() const;
    // Today's, or taller by the title's band.
    float windowHeight() const;
    float bandHeight() const;
    // Every row below the band, and the title centred in it, shortened to the window's width.
    void layOutBand();
    // Counting past zero, from its first second.
    bool minusShown() const;
    // The model's scale, or the largest step below it that the work area of the window's monitor holds now.
    void fitScale();
    // The work area of the monitor holding the window, the primary's when it is on none.
    forms::TwipsRect workArea() const;
    int fittingScale(int percent, const forms::TwipsRect& work) const;
    // To the model's scale and the width the row needs, in one move, keeping the point the placement pins.
    void resizeKeepingPin();
    void placeWindow(std::size_t placement);
    // The monitor the window starts on, as it is now: the one asked for, else the primary.
    forms::MonitorArea startMonitor() const;
    void placeAtStart(const forms::MonitorArea& monitor);
    // The time as a screen reader reads it: what the row shows, hours included while they are shown.
    forms::ReadableText readableTime() const;

    std::array<MenuItem*, 4> presetItems() { return {&dao1, &dao3, &dao5, &dao10}; }
    std::array<MenuItem*, 7> placementItems() { return {&zhong, &di, &ding, &youxia, &zuoxia, &youshang, &zuoshang}; }
    std::array<MenuItem*, 6> transparencyItems() { return {&tou90, &tou80, &tou75, &tou50, &tou30, &tou0}; }

    sound::Bell bell_;  // the chosen file's sound, decoded once; a new choice lets the old one go
    Shown shown_;
    int startMonitor_ = 1;               // the monitor to start on, numbered as the user counts them
    std::optional<PinnedPoint> pinned_;  // by the last change of size
    forms::PixelRect scaledTo_;          // where that change put the window
};

}  // namespace zantiro::ui
