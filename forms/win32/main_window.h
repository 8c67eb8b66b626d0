// The Win32 backend of one forms::Window: a real top-level window, real buttons, painted labels and frames.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/accessible_client.h"
#include "forms/win32/fonts.h"
#include "forms/win32/handles.h"
#include "forms/win32/painter.h"
#include "forms/win32/picture.h"
#include "forms/win32/repaint_tracker.h"
#include "forms/win32/timer_scheduler.h"
#include "forms/win32/topmost_keeper.h"
#include "forms/win32/win32.h"
#include "forms/win32/window_base.h"
#include "forms/window.h"

namespace zantiro::forms::win32 {

class MainWindow final : public WindowBase<MainWindow>, public ControlObserver, public TextMeasure {
public:
    static constexpr const wchar_t* kClassName = L"ZantiroWindow";

    MainWindow(Window& window, Picture picture);
    ~MainWindow();

    // Creates the window hidden with one BUTTON per command button, measures the labels, and from then on
    // shows every change of the controls and schedules the timers.
    bool create();
    // Puts the window where the load handling placed it and makes the style it set take effect, in one move;
    // then shows and paints the window.
    void show();
    // Queues a handler that runs from the message loop, as the user's own clicks do.
    void post(std::function<void()> handler);
    // Tells screen readers `text` unasked: an alert event on the client area's alert element.
    void announce(std::string_view text);

    HACCEL accelerators() const { return accelerators_.get(); }  // F1 to F5, F9, F10: TranslateAcceleratorW
    TimerScheduler& scheduler() { return *scheduler_; }          // after create()
    using WindowBase::hwnd;

    void controlChanged(Control& control, Property property) override;
    float textWidthTwips(const std::string& text, const Font& font) override;

    std::function<void(int number)> onFunctionKey;  // n for Fn: 1 to 5, 9 and 10
    std::function<void(int id)> onHotkey;           // WM_HOTKEY's id, from any program

private:
    friend class WindowBase<MainWindow>;

    struct Button {
        CommandButton* control;
        HWND hwnd;  // not owned: a child, destroyed with the window
        int id;
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void runPosted();
    void onPaint();
    void onPrintClient(HDC target);
    void onSize(UINT kind, SIZE client);
    void onWindowPosChanged();
    void onCommand(WORD id, WORD code, HWND from);
    void hotkeyPressed(int id);
    LRESULT onMouseActivate();
    void runHandler(const std::function<void()>& handler);
    void onMouseMove(WPARAM keys, POINT at);
    void onActivate(bool active);
    void onSetFocus();
    LRESULT onGetDefId() const;
    void onDpiChanged(int monitorDpi, const RECT& suggested);
    void onMouseWheel(int delta, WPARAM keys);
    void remakeAtDpi(const RECT* moveTo);

    void collectControls();
    void createButtons();
    std::vector<AccessibleElement> accessibleElements() const;
    void placeButton(const Button& button);
    void buttonChanged(const Button& button, Property property);
    void measure(Label& label);
    SIZE extentOf(const std::string& text, const Font& font);
    Scene scene() { return Scene{shapes_, lines_, labels_, fonts_, window_.dpi()}; }

    Window& window_;
    FontCache fonts_;
    UniqueMemoryDc measureDc_;
    UniqueRegion updateRegion_;
    UniqueAccelerators accelerators_;
    Picture original_;  // as decoded; the painter holds it at the window's DPI
    Painter painter_;
    std::unique_ptr<TimerScheduler> scheduler_;
    std::unique_ptr<TopmostKeeper> topmost_;
    std::unique_ptr<AccessibleClient> accessible_;

    // The window's controls by kind, in design order (buttons in tab order); none owned.
    std::vector<Button> buttons_;
    std::vector<Label*> labels_;
    std::vector<Shape*> shapes_;
    std::vector<Line*> lines_;
    std::vector<Timer*> timers_;
    RepaintTracker repaints_;
    int wheelDelta_ = 0;    // the part of a notch not yet passed on
    HWND focus_ = nullptr;  // not owned: the child that had the focus when the window went inactive
    // Until show(), the forms window alone holds the size and place: each move of a hidden window costs a round
    // trip to the window system, and the load handling makes four.
    bool shown_ = false;
    std::vector<std::function<void()>> posted_;
    bool handling_ = false;  // a handler runs, maybe in the modal loop of its menu or box
};

}  // namespace zantiro::forms::win32
