// The main window: creation, the message switch, and pushing each control change to the screen.
#include "forms/win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>

#include "forms/units.h"
#include "forms/win32/diagnostic_log.h"
#include "forms/win32/dpi.h"
#include "forms/win32/failures.h"
#include "forms/win32/keyboard_stays.h"
#include "forms/win32/layout.h"
#include "forms/win32/text.h"
#include "resources/resource_ids.h"

namespace zantiro::forms::win32 {
namespace {

// The load handling takes caption and sizing frame away itself, through the window system. No maximise box: the
// window has one fixed size, and without the box the system menu greys Maximize (Alt+Space).
constexpr DWORD kStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN;
// A click does not activate the window: its buttons work the timer while the keyboard stays with the slideshow.
// A click on its face activates it on purpose (onMouseActivate). No activation also drops a window from the
// taskbar; it keeps its button there, so that a minimised timer can be found again.
constexpr DWORD kExStyle = WS_EX_NOACTIVATE | WS_EX_APPWINDOW;
// Clear of IDOK and IDCANCEL, which IsDialogMessageW sends for Enter and Esc.
constexpr int kFirstButtonId = 100;
constexpr WORD kFirstFunctionKeyCommand = 0x7F01;  // + n - 1 for Fn
// F1 to F5 choose a countdown, F9 and F10 add and take away a minute; F6 to F8 stay the focused control's.
constexpr std::array kFunctionKeys{1, 2, 3, 4, 5, 9, 10};
constexpr WORD kAcceleratorNotification = 1;
constexpr UINT kRunPosted =
    WM_APP + 1;  // the handlers post() queued  // HIWORD(wParam) of WM_COMMAND from TranslateAcceleratorW

// F10 comes as WM_SYSKEYDOWN, since it is the menu key; an accelerator without FALT takes it as well, and the
// key-down the window never sees is what keeps DefWindowProc from entering menu mode at the key-up.
UniqueAccelerators createFunctionKeys() {
    std::array<ACCEL, kFunctionKeys.size()> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int number = kFunctionKeys[i];
        keys[i] = ACCEL{static_cast<BYTE>(FVIRTKEY), static_cast<WORD>(VK_F1 + number - 1),
                        static_cast<WORD>(kFirstFunctionKeyCommand + number - 1)};
    }
    return UniqueAccelerators(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

// The program's icon at the size the system uses; shared, so the system frees it.
HICON loadIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ZANTIRO), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

// The forms runtime's mouse arguments: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
int mouseButtons(WPARAM keys) {
    return ((keys & MK_LBUTTON) != 0 ? 1 : 0) | ((keys & MK_RBUTTON) != 0 ? 2 : 0) | ((keys & MK_MBUTTON) != 0 ? 4 : 0);
}
int shiftKeys(WPARAM keys) {
    return ((keys & MK_SHIFT) != 0 ? 1 : 0) | ((keys & MK_CONTROL) != 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

MainWindow::MainWindow(Window& window, Picture picture)
    : window_(window),
      fonts_(kDesignDpi),
      measureDc_(CreateCompatibleDC(nullptr)),
      updateRegion_(CreateRectRgn(0, 0, 0, 0)),
      original_(std::move(picture)) {
    window_.setTextMeasure(this);
}

MainWindow::~MainWindow() {
    window_.attach(nullptr);
    window_.setTextMeasure(nullptr);
    scheduler_.reset();  // kills its timers while the window still exists
    topmost_.reset();
    accessible_.reset();
    destroy();  // before the fonts the buttons use go
}

bool MainWindow::create() {
    WNDCLASSEXW windowClass{};
    windowClass.hIcon = loadIcon(SM_CXICON, SM_CYICON);
    windowClass.hIconSm = loadIcon(SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;  // no background brush: WM_PAINT covers every pixel
    const PixelRect& at = window_.pixels();
    if (!registerClass(windowClass) || !createWindow(kClassName, widen(window_.caption()).c_str(), kStyle, kExStyle,
                                                     RECT{at.left, at.top, at.left + at.width, at.top + at.height})) {
        return false;
    }
    window_.setHandle(reinterpret_cast<WindowHandle>(hwnd()));
    window_.setDpi(windowDpi(hwnd()));
    (void)fonts_.setDpi(window_.dpi());
    painter_.setPicture(original_.atDpi(window_.dpi()));
    onWindowPosChanged();

    collectControls();
    createButtons();
    window_.attach(this);
    for (Label* label : labels_) {
        measure(*label);
    }
    scheduler_ = std::make_unique<TimerScheduler>(hwnd(), &TimerScheduler::steadyMilliseconds);
    for (Timer* timer : timers_) {
        scheduler_->add(*timer);
    }
    accelerators_ = createFunctionKeys();
    topmost_ = std::make_unique<TopmostKeeper>(hwnd());
    accessible_ = std::make_unique<AccessibleClient>(hwnd(), window_, accessibleElements());
    RECT client{};
    GetClientRect(hwnd(), &client);
    painter_.resize(SIZE{client.right, client.bottom});
    return true;
}

void MainWindow::show() {
    // Hidden, nothing was on screen to repaint: the first paint shows the controls as they are now.
    repaints_.remember(labels_, shapes_, window_.dpi());
    shown_ = true;
    const PixelRect& at = window_.pixels();
    SetWindowPos(hwnd(), nullptr, at.left, at.top, at.width, at.height,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    SetForegroundWindow(hwnd());  // the program just started takes the keyboard, as any other does
}

void MainWindow::post(std::function<void()> handler) {
    posted_.push_back(std::move(handler));
    PostMessageW(hwnd(), kRunPosted, 0, 0);
}

void MainWindow::runPosted() {
    for (auto& handler : std::exchange(posted_, {})) {
        runHandler(handler);
    }
}

void MainWindow::announce(std::string_view text) {
    if (accessible_) {
        accessible_->announce(text);
    }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_PRINTCLIENT:  // PrintWindow and AnimateWindow ask for the picture of the client area
            onPrintClient(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the back buffer covers every pixel
        case WM_SIZE:
            onSize(static_cast<UINT>(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)});
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (shown_) {  // hidden, the window still stands where it was made, not where the load put it
                onWindowPosChanged();
            }
            break;  // DefWindowProcW still sends WM_SIZE and WM_MOVE
        case WM_TIMER:
            if (scheduler_ && scheduler_->onTimerMessage(wParam)) {
                return 0;
            }
            break;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HOTKEY:
            hotkeyPressed(static_cast<int>(wParam));
            return 0;
        case kRunPosted:
            runPosted();
            return 0;
        case WM_MOUSEACTIVATE:
            return onMouseActivate();
        case WM_MOUSEMOVE:
            onMouseMove(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEWHEEL:  // from the focused button too: its DefWindowProcW hands the wheel to its parent
            onMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam));
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            break;  // DefWindowProcW gives the window the focus, and WM_SETFOCUS passes it on
        case WM_SETFOCUS:
            onSetFocus();
            return 0;
        case DM_GETDEFID:
            return onGetDefId();
        case WM_DISPLAYCHANGE:  // a monitor came or went, or changed its resolution
            window_.displayChanged();
            topmost_->raise();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETOBJECT:  // a screen reader asks; the object ids are 32-bit, also in a 64-bit lParam
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT && accessible_) {
                if (const LRESULT object = accessible_->answer(wParam); object != 0) {
                    return object;
                }
            }
            break;
        case WM_CLOSE:  // also the system menu's Close and Alt+F4
            window_.unload();
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                window_.unload();
            }
            return 0;
        case WM_DESTROY:  // destroyed by someone else; the unload handling normally ends the program first
            window_.unload();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

void MainWindow::onPaint() {
    GetUpdateRgn(hwnd(), updateRegion_.get(), FALSE);  // before BeginPaint empties it
    const long pixels = painter_.paint(ScopedPaint(hwnd()).dc(), updateRegion_.get(), scene());  // ends here
    if (DiagnosticLog* log = DiagnosticLog::get()) {
        log->paint(pixels);
    }
}

void MainWindow::onPrintClient(HDC target) {
    painter_.paint(target, nullptr, scene());
}

void MainWindow::onSize(UINT kind, SIZE client) {
    if (kind != SIZE_MINIMIZED && painter_.resize(client)) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

// The system moved the window (a drag, a placement it corrected, a DPI change): the forms window follows.
void MainWindow::onWindowPosChanged() {
    RECT rect{};
    if (!IsIconic(hwnd()) && GetWindowRect(hwnd(), &rect)) {
        window_.placedAt(PixelRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    }
}

void MainWindow::onCommand(WORD id, WORD code, HWND from) {
    if (code == kAcceleratorNotification && id >= kFirstFunctionKeyCommand &&
        id < kFirstFunctionKeyCommand + kFunctionKeys.back()) {
        if (onFunctionKey) {
            runHandler([this, id] { onFunctionKey(id - kFirstFunctionKeyCommand + 1); });
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    for (const Button& button : buttons_) {
        if (button.id == id && button.hwnd == from && button.control->enabled() && button.control->onClick) {
            runHandler(button.control->onClick);
            return;
        }
    }
}

// A hotkey while a handler's menu or box is open would run a second handler inside the first: it is dropped.
void MainWindow::hotkeyPressed(int id) {
    if (onHotkey && !handling_) {
        runHandler([this, id] { onHotkey(id); });
    }
}

// What a handler opens may take the keyboard; the window that had it gets it back when the handler returns.
void MainWindow::runHandler(const std::function<void()>& handler) {
    struct Handling {
        bool& flag;
        bool outer;
        ~Handling() { flag = flag && !outer; }
    } const handling{handling_, !std::exchange(handling_, true)};
    const ForegroundLoan loan;
    handler();
}

// Over a button, enabled or not, the click leaves the foreground where it is; on the face (digits, picture,
// labels, where a drag starts) it activates the timer, which the window's style alone would not.
LRESULT MainWindow::onMouseActivate() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(hwnd(), &cursor);
    const HWND under = ChildWindowFromPointEx(hwnd(), cursor, CWP_SKIPINVISIBLE);
    if (std::any_of(buttons_.begin(), buttons_.end(), [under](const Button& button) { return button.hwnd == under; })) {
        return MA_NOACTIVATE;
    }
    SetForegroundWindow(hwnd());
    return MA_ACTIVATE;
}

// The topmost visible label under the mouse gets the move, with coordinates relative to itself; else the window.
void MainWindow::onMouseMove(WPARAM keys, POINT at) {
    const int button = mouseButtons(keys);
    const int shift = shiftKeys(keys);
    const int dpi = window_.dpi();
    for (auto label = labels_.rbegin(); label != labels_.rend(); ++label) {
        const RECT rect = pixelRect(**label, dpi);
        if ((*label)->visible() && PtInRect(&rect, at)) {
            if ((*label)->onMouseMove) {
                (*label)->onMouseMove(button, shift, pixelsToTwips(at.x - rect.left, dpi),
                                      pixelsToTwips(at.y - rect.top, dpi));
            }
            return;
        }
    }
    if (window_.onMouseMove) {
        window_.onMouseMove(button, shift, pixelsToTwips(at.x, dpi), pixelsToTwips(at.y, dpi));
    }
}

void MainWindow::onActivate(bool active) {
    const HWND focus = GetFocus();
    if (!active && focus != nullptr && IsChild(hwnd(), focus)) {
        focus_ = focus;
    }
}

// Back to the button that had the focus, or the first one in Tab order, as a dialog would.
void MainWindow::onSetFocus() {
    HWND target = focus_ != nullptr && IsWindowEnabled(focus_) ? focus_ : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    if (target != nullptr && target != hwnd()) {
        SetFocus(target);
    }
}

// IsDialogMessageW asks which button Enter clicks: the focused one, as on a form without a default button.
LRESULT MainWindow::onGetDefId() const {
    const HWND focus = GetFocus();
    for (const Button& button : buttons_) {
        if (button.hwnd == focus) {
            return MAKELRESULT(button.id, DC_HASDEFID);
        }
    }
    return 0;
}

// Dragged onto a screen of another DPI (Windows 8.1 on; Wine never sends it). The window takes the suggested
// rectangle in one move (the user's scale on top of both DPIs keeps their ratio), then everything measured in
// pixels is made anew for the new DPI; the twips stay.
void MainWindow::onDpiChanged(int monitorDpi, const RECT& suggested) {
    window_.setDpi(monitorDpi);
    remakeAtDpi(&suggested);
    window_.dpiChanged();
    repaints_.remember(labels_, shapes_, window_.dpi());
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// Fonts, the picture (resampled once; the old size is released), button places and label sizes at the window's
// DPI, with the window moved to `moveTo` first when given.
void MainWindow::remakeAtDpi(const RECT* moveTo) {
    const int dpi = window_.dpi();
    // The old fonts stay alive until the buttons hold the new ones.
    [[maybe_unused]] const FontCache::Fonts retired = fonts_.setDpi(dpi);
    painter_.setPicture(original_.atDpi(dpi));
    if (moveTo != nullptr) {
        SetWindowPos(hwnd(), nullptr, moveTo->left, moveTo->top, moveTo->right - moveTo->left,
                     moveTo->bottom - moveTo->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const Button& button : buttons_) {
        placeButton(button);
    }
    for (Label* label : labels_) {
        measure(*label);
    }
}

// Whole notches only: a fine-grained wheel sends parts of one, which add up.
void MainWindow::onMouseWheel(int delta, WPARAM keys) {
    wheelDelta_ += delta;
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ %= WHEEL_DELTA;
    if (notches != 0 && window_.onMouseWheel) {
        window_.onMouseWheel(notches, shiftKeys(keys));
    }
}

void MainWindow::collectControls() {
    std::vector<CommandButton*> commands;
    for (Control* control : window_.controls()) {
        if (auto* label = dynamic_cast<Label*>(control)) {
            labels_.push_back(label);
        } else if (auto* command = dynamic_cast<CommandButton*>(control)) {
            commands.push_back(command);
        } else if (auto* shape = dynamic_cast<Shape*>(control)) {
            shapes_.push_back(shape);
        } else if (auto* line = dynamic_cast<Line*>(control)) {
            lines_.push_back(line);
        } else if (auto* timer = dynamic_cast<Timer*>(control)) {
            timers_.push_back(timer);
        }
    }
    // Creation order is the Tab order of IsDialogMessageW.
    std::stable_sort(commands.begin(), commands.end(),
                     [](const CommandButton* a, const CommandButton* b) { return a->tabIndex() < b->tabIndex(); });
    for (CommandButton* command : commands) {
        buttons_.push_back(Button{command, nullptr, kFirstButtonId + static_cast<int>(buttons_.size())});
    }
}

// Plain push buttons, made at their place and state in the design's font (Wine's default GUI font has no
// Chinese glyphs): none is the default button, so Enter clicks the focused one (see onGetDefId). A button that
// cannot be created is left out (its control stays without a window) and the user is told.
void MainWindow::createButtons() {
    for (Button& button : buttons_) {
        const CommandButton& command = *button.control;
        const RECT rect = pixelRect(command, window_.dpi());
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (command.enabled() ? 0 : WS_DISABLED);
        button.hwnd = CreateWindowExW(0, L"BUTTON", widen(command.caption()).c_str(), style, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)),
                                      GetModuleHandleW(nullptr), nullptr);
        if (reportIf(button.hwnd == nullptr, L"有按钮无法创建，窗口中可能缺少按钮。请关闭一些程序后重新启动本程序。")) {
            continue;
        }
        SendMessageW(button.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(command.font())), FALSE);
        reportIf(!pressWithoutFocus(button.hwnd));  // the button still works, and takes the focus
    }
    std::erase_if(buttons_, [](const Button& button) { return button.hwnd == nullptr; });
}

// The painted texts and the buttons in Tab order (the design's tab indexes), then the alert.
std::vector<AccessibleElement> MainWindow::accessibleElements() const {
    struct Ordered {
        int tabIndex;
        AccessibleElement element;
    };
    std::vector<Ordered> ordered;
    for (const ReadableText& text : window_.readableTexts()) {
        if (!text.labels.empty()) {
            ordered.push_back({text.labels.front()->tabIndex(), {AccessibleElement::Kind::Text, &text, nullptr}});
        }
    }
    for (const Button& button : buttons_) {
        ordered.push_back({button.control->tabIndex(), {AccessibleElement::Kind::Button, nullptr, button.hwnd}});
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Ordered& a, const Ordered& b) { return a.tabIndex < b.tabIndex; });
    std::vector<AccessibleElement> elements;
    for (const Ordered& each : ordered) {
        elements.push_back(each.element);
    }
    elements.push_back({AccessibleElement::Kind::Alert, nullptr, nullptr});
    return elements;
}

// Geometry and font at a new DPI. Every button needs the design's font: Wine's default GUI font has no Chinese
// glyphs.
void MainWindow::placeButton(const Button& button) {
    const RECT rect = pixelRect(*button.control, window_.dpi());
    SetWindowPos(button.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(button.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(button.control->font())), TRUE);
}

void MainWindow::controlChanged(Control& control, Property property) {
    if (&control == &window_) {
        if (property == Property::Scale) {
            remakeAtDpi(nullptr);
            repaints_.remember(labels_, shapes_, window_.dpi());
            InvalidateRect(hwnd(), nullptr, FALSE);
        }
        if (property == Property::Geometry && shown_) {
            const PixelRect& at = window_.pixels();
            SetWindowPos(hwnd(), nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (property == Property::Caption) {
            SetWindowTextW(hwnd(), widen(window_.caption()).c_str());
        }
        return;
    }
    for (const Button& button : buttons_) {
        if (button.control == &control) {
            buttonChanged(button, property);
            return;
        }
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (labels_[i] == &control) {
            if (property == Property::Caption) {
                measure(*labels_[i]);
            }
            if (shown_) {
                repaints_.labelChanged(hwnd(), i, *labels_[i], window_.dpi());
            }
            return;
        }
    }
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        if (shapes_[i] == &control) {
            if (shown_) {
                repaints_.shapeChanged(hwnd(), i, *shapes_[i], window_.dpi());
            }
            return;
        }
    }
    auto* timer = dynamic_cast<Timer*>(&control);
    if (timer != nullptr && scheduler_ && (property == Property::Enabled || property == Property::Interval)) {
        scheduler_->timerChanged(*timer);
    }
    // A menu item's check mark needs nothing: the popup is built afresh each time it opens.
}

void MainWindow::buttonChanged(const Button& button, Property property) {
    if (property == Property::Geometry) {
        placeButton(button);
    } else if (property == Property::Caption) {
        SetWindowTextW(button.hwnd, widen(button.control->caption()).c_str());
    } else if (property == Property::Enabled) {
        const bool enabled = button.control->enabled();
        // A disabled window loses the focus to nobody, which would leave Tab dead; hand it on in Tab order, or
        // to the window itself when no other button can take it.
        const bool hadFocus = !enabled && GetFocus() == button.hwnd;
        const HWND next = hadFocus ? GetNextDlgTabItem(hwnd(), button.hwnd, FALSE) : nullptr;
        EnableWindow(button.hwnd, enabled ? TRUE : FALSE);
        if (hadFocus) {
            SetFocus(next != nullptr && next != button.hwnd ? next : hwnd());
        }
    }
}

SIZE MainWindow::extentOf(const std::string& text, const Font& font) {
    const ScopedSelect selected(measureDc_.get(), fonts_.get(font));
    const std::wstring wide = widen(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(measureDc_.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent;
}

float MainWindow::textWidthTwips(const std::string& text, const Font& font) {
    return pixelsToTwips(extentOf(text, font).cx, window_.dpi());
}

// Auto-size: the caption's extent in the label's font becomes the label's width and height.
void MainWindow::measure(Label& label) {
    const SIZE extent = extentOf(label.caption(), label.font());
    const int dpi = window_.dpi();
    label.setMeasuredSize(pixelsToTwips(extent.cx, dpi), pixelsToTwips(extent.cy, dpi));
}

}  // namespace zantiro::forms::win32
