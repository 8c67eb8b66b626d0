// End-to-end driver: inspects and clicks the running timer from a console process, one small job per subcommand.
// Prints a line per check; exits 1 on the first failed check, 2 on a usage error.
#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "tests/e2e/bystander.h"
#include "tests/e2e/window_probe.h"

// Format checks where the compiler has them; MSVC warns about unknown attributes.
#if defined(__GNUC__)
#define PRINTF_LIKE(string, first) [[gnu::format(gnu_printf, string, first)]]
#else
#define PRINTF_LIKE(string, first)
#endif

namespace {

using namespace zantiro::e2e;

// The window design, in twips.
constexpr int kTwipsPerInch = 1440;
constexpr int kWindowWidth = 3920;
constexpr int kWindowHeight = 2450;
constexpr int kWindowTop = 20;
constexpr int kFirstButtonLeft = 120;
constexpr int kButtonStep = 720;
constexpr int kButtonTop = 1560;
constexpr int kButtonWidth = 735;
constexpr int kButtonHeight = 375;
constexpr const wchar_t* kStartCaptions[] = {L"开 始", L"暂 停", L"复 位", L"功 能", L"退 出"};
constexpr bool kStartEnabled[] = {true, false, false, true, true};
constexpr wchar_t kCustomPrompt[] = L"以分钟为单位。\r\n可精确到小数点后 1 位。\r\n如8分30秒可输入“8.5”。";

void say(const char* prefix, const char* format, va_list args) {
    char line[1024];
    std::vsnprintf(line, sizeof line, format, args);
    std::printf("%s%s\n", prefix, line);
    std::fflush(stdout);
}

// check() returns its verdict so a command can stop at the first failure: `return check(...) && check(...)`.
PRINTF_LIKE(2, 3) bool check(bool passed, const char* format, ...) {
    va_list args;
    va_start(args, format);
    say(passed ? "ok: " : "FAIL: ", format, args);
    va_end(args);
    return passed;
}

PRINTF_LIKE(1, 2) void info(const char* format, ...) {
    va_list args;
    va_start(args, format);
    say("", format, args);
    va_end(args);
}

DWORD milliseconds(const std::wstring& text) {
    return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

// Look-ups speak only when they fail, so that commands printing shell assignments print nothing else.
HWND mainWindowOrFail() {
    HWND main = findMainWindow();
    if (!main) {
        check(false, "a visible window captioned \"Zantiro\" exists");
    }
    return main;
}

int twipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

bool within1(long actual, long expected) {
    return std::labs(actual - expected) <= 1;
}

std::string buttonState(HWND main) {
    std::string state;
    for (HWND button : childrenOfClass(main, L"Button")) {
        state += "[" + utf8(windowText(button)) + (IsWindowEnabled(button) ? "|on] " : "|off] ");
    }
    return state;
}

HWND buttonByCaption(HWND main, const std::wstring& caption) {
    HWND button = findChild(main, L"Button", caption);
    if (!button) {
        check(false, "a button captioned \"%s\" (buttons: %s)", utf8(caption).c_str(), buttonState(main).c_str());
    }
    return button;
}

bool checkStyles(HWND main) {
    const auto style = GetWindowLongPtrW(main, GWL_STYLE);
    const auto exStyle = GetWindowLongPtrW(main, GWL_EXSTYLE);
    info("style 0x%08llx, extended style 0x%08llx", static_cast<unsigned long long>(style),
         static_cast<unsigned long long>(exStyle));
    return check((style & WS_CAPTION) == 0, "no caption (WS_BORDER and WS_DLGFRAME clear)") &&
           check((style & WS_THICKFRAME) == 0, "no sizing frame (WS_THICKFRAME clear)") &&
           check((style & WS_SYSMENU) != 0, "WS_SYSMENU set") &&
           check((style & WS_MINIMIZEBOX) != 0, "WS_MINIMIZEBOX set") &&
           check((style & WS_MAXIMIZEBOX) == 0, "no maximise box (WS_MAXIMIZEBOX clear)") &&
           check((exStyle & WS_EX_TOPMOST) != 0, "always on top (WS_EX_TOPMOST)") &&
           check((exStyle & WS_EX_LAYERED) == 0, "not layered at start (WS_EX_LAYERED clear)");
}

bool checkPlacement(HWND main, UINT dpi) {
    RECT window{};
    RECT client{};
    GetWindowRect(main, &window);
    GetClientRect(main, &client);
    const long width = window.right - window.left;
    const long height = window.bottom - window.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int expectedWidth = twipsToPixels(kWindowWidth, dpi);
    const int expectedHeight = twipsToPixels(kWindowHeight, dpi);
    return check(width == expectedWidth && height == expectedHeight, "window %ldx%ld at %u dpi (expected %dx%d)", width,
                 height, dpi, expectedWidth, expectedHeight) &&
           check(client.right == width && client.bottom == height, "client area %ldx%ld fills the window (no frame)",
                 client.right, client.bottom) &&
           check(std::labs(2 * window.left + width - screenWidth) <= 2,
                 "left edge %ld: centred on the %d-px screen within 1 px", window.left, screenWidth) &&
           check(window.top == twipsToPixels(kWindowTop, dpi), "top edge %ld = 20 twips (%d px)", window.top,
                 twipsToPixels(kWindowTop, dpi));
}

bool checkButtons(HWND main, UINT dpi) {
    const auto buttons = childrenOfClass(main, L"Button");
    if (!check(buttons.size() == 5, "five buttons (found %d: %s)", static_cast<int>(buttons.size()),
               buttonState(main).c_str())) {
        return false;
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const std::wstring caption = windowText(buttons[i]);
        const bool enabled = IsWindowEnabled(buttons[i]) != FALSE;
        const RECT rect = rectInParent(buttons[i], main);
        const int left = twipsToPixels(kFirstButtonLeft + kButtonStep * static_cast<int>(i), dpi);
        const int top = twipsToPixels(kButtonTop, dpi);
        if (!check(caption == kStartCaptions[i], "button %d in tab order reads \"%s\" (expected \"%s\")",
                   static_cast<int>(i), utf8(caption).c_str(), utf8(kStartCaptions[i]).c_str()) ||
            !check(enabled == kStartEnabled[i], "button \"%s\" is %s", utf8(caption).c_str(),
                   kStartEnabled[i] ? "enabled" : "disabled") ||
            !check(IsWindowVisible(buttons[i]) != FALSE, "button \"%s\" is visible", utf8(caption).c_str()) ||
            !check(within1(rect.left, left) && within1(rect.top, top) &&
                       within1(rect.right - rect.left, twipsToPixels(kButtonWidth, dpi)) &&
                       within1(rect.bottom - rect.top, twipsToPixels(kButtonHeight, dpi)),
                   "button \"%s\" at %ld,%ld size %ldx%ld (expected %d,%d size %dx%d, 1 px tolerance)",
                   utf8(caption).c_str(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, left,
                   top, twipsToPixels(kButtonWidth, dpi), twipsToPixels(kButtonHeight, dpi))) {
            return false;
        }
    }
    return true;
}

// check-startup [PERCENT]: the window as at start-up, drawn at PERCENT (default 100) of its DPI.
bool checkStartup(Args args) {
    HWND main = mainWindowOrFail();
    if (!main) {
        return false;
    }
    // An unaware window would report 96 and be stretched by the system at any other DPI.
    const UINT dpi = GetDpiForWindow(main);
    const int percent = args.empty() ? 100 : std::wcstol(args[0].c_str(), nullptr, 10);
    const auto drawnAt = static_cast<UINT>(MulDiv(static_cast<int>(dpi), percent, 100));
    return check(dpi == GetDpiForSystem(), "the window reports %u dpi, the system's: it is DPI aware", dpi) &&
           checkPlacement(main, drawnAt) && checkStyles(main) && checkButtons(main, drawnAt);
}

bool waitWindow(Args args) {
    const ULONGLONG begin = GetTickCount64();
    const bool found = waitFor(milliseconds(args[0]), [] { return findMainWindow() != nullptr; });
    return check(found, "window \"Zantiro\" shown after %llu ms", GetTickCount64() - begin);
}

bool waitGone(Args args) {
    HWND main = findMainWindow();
    const ULONGLONG begin = GetTickCount64();
    const bool gone = !main || waitFor(milliseconds(args[0]), [main] { return !IsWindow(main); });
    return check(gone, "the window closed after %llu ms", GetTickCount64() - begin);
}

// Prints shell assignments: the client area on the screen, the DPI, the screen size, and the face colour that the
// window paints where its picture does not reach.
bool geometry(Args) {
    HWND main = mainWindowOrFail();
    if (!main) {
        return false;
    }
    RECT client{};
    GetClientRect(main, &client);
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    info("X=%ld Y=%ld W=%ld H=%ld DPI=%u SCREEN_W=%d SCREEN_H=%d FACE=%02X%02X%02X", origin.x, origin.y, client.right,
         client.bottom, GetDpiForWindow(main), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
         GetRValue(face), GetGValue(face), GetBValue(face));
    return true;
}

// move-window X Y: puts the window's top-left corner there, as a drag would.
bool moveWindow(Args args) {
    HWND main = mainWindowOrFail();
    const int x = std::wcstol(args[0].c_str(), nullptr, 10);
    const int y = std::wcstol(args[1].c_str(), nullptr, 10);
    return main && check(SetWindowPos(main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
                         "moved the window to %d,%d", x, y);
}

// What every top-level window hears when a monitor comes or goes; waits for the handler to return.
bool displayChange(Args) {
    HWND main = mainWindowOrFail();
    DWORD_PTR result = 0;
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return main && check(SendMessageTimeoutW(main, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 5000, &result) != 0,
                         "sent WM_DISPLAYCHANGE");
}

// Paints what is pending now (WM_PAINT sent, not waited for), so a screenshot taken next shows the current state.
bool update(Args) {
    HWND main = mainWindowOrFail();
    return main &&
           check(RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN) != 0, "pending paints done");
}

bool buttonCentre(Args args) {
    HWND main = mainWindowOrFail();
    HWND button = main ? buttonByCaption(main, args[0]) : nullptr;
    if (!button) {
        return false;
    }
    RECT rect{};
    GetWindowRect(button, &rect);
    info("BX=%ld BY=%ld", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return true;
}

// BM_CLICK, waiting for the handler to return; for a click that opens something modal, use post-click.
bool click(Args args) {
    HWND main = mainWindowOrFail();
    HWND button = main ? buttonByCaption(main, args[0]) : nullptr;
    if (!button || !check(IsWindowEnabled(button) != FALSE, "\"%s\" is enabled", utf8(args[0]).c_str())) {
        return false;
    }
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    // The exit button ends the process inside its handler, so no answer comes back.
    return check(answered || !IsWindow(main), "clicked \"%s\"", utf8(args[0]).c_str());
}

bool postClick(Args args) {
    HWND main = mainWindowOrFail();
    HWND button = main ? buttonByCaption(main, args[0]) : nullptr;
    if (!button || !check(IsWindowEnabled(button) != FALSE, "\"%s\" is enabled", utf8(args[0]).c_str())) {
        return false;
    }
    return check(PostMessageW(button, BM_CLICK, 0, 0) != 0, "posted a click on \"%s\"", utf8(args[0]).c_str());
}

// wait-buttons MS caption on|off ...: the buttons, in tab order, reach exactly these captions and enabled flags.
bool waitButtons(Args args) {
    HWND main = mainWindowOrFail();
    if (!main) {
        return false;
    }
    std::string wanted;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        wanted += "[" + utf8(args[i]) + "|" + utf8(args[i + 1]) + "] ";
    }
    const bool reached = waitFor(milliseconds(args[0]), [&] { return buttonState(main) == wanted; });
    return check(reached, "buttons %s(now %s)", wanted.c_str(), buttonState(main).c_str());
}

bool expectAlpha(Args args) {
    HWND main = mainWindowOrFail();
    if (!main) {
        return false;
    }
    const bool layered = (GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (args[0] == L"none") {
        return check(!layered, "not a layered window");
    }
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool read = layered && GetLayeredWindowAttributes(main, nullptr, &alpha, &flags);
    const auto expected = std::wcstoul(args[0].c_str(), nullptr, 10);
    return check(read && (flags & LWA_ALPHA) && alpha == expected, "layered with alpha %u (expected %lu)", alpha,
                 expected);
}

// wait-menus COUNT MS: exactly COUNT popup menu windows (class #32768) are open.
bool waitMenus(Args args) {
    const auto count = std::wcstoul(args[0].c_str(), nullptr, 10);
    const bool reached =
        waitFor(milliseconds(args[1]), [count] { return topLevelWindowsOfClass(kMenuClass).size() == count; });
    for (HWND menu : topLevelWindowsOfClass(kMenuClass)) {
        RECT rect{};
        GetWindowRect(menu, &rect);
        info("menu window at %ld,%ld size %ldx%ld", rect.left, rect.top, rect.right - rect.left,
             rect.bottom - rect.top);
    }
    return check(reached, "%lu popup menu window(s) open", count);
}

bool waitDialog(Args args) {
    const bool shown = waitFor(milliseconds(args[1]), [&] { return !topLevelWindows(args[0]).empty(); });
    return check(shown, "a window titled \"%s\" is open", utf8(args[0]).c_str());
}

bool waitNoDialog(Args args) {
    const bool gone = waitFor(milliseconds(args[1]), [&] { return topLevelWindows(args[0]).empty(); });
    return check(gone, "no window titled \"%s\" is open", utf8(args[0]).c_str());
}

HWND dialogOrFail(const std::wstring& title) {
    const auto found = topLevelWindows(title);
    check(found.size() == 1, "one window titled \"%s\" (found %d)", utf8(title).c_str(),
          static_cast<int>(found.size()));
    return found.size() == 1 ? found.front() : nullptr;
}

// check-input TITLE DEFAULT [PROMPT]: the input box as it opens: modal over the timer, the prompt (by default the
// custom length's), the default text in the edit box wholly selected and focused, and its two buttons.
bool checkInput(Args args) {
    HWND main = mainWindowOrFail();
    HWND box = main ? dialogOrFail(args[0]) : nullptr;
    if (!box) {
        return false;
    }
    const auto edits = childrenOfClass(box, L"Edit");
    const std::wstring prompt = args.size() > 2 ? args[2] : kCustomPrompt;
    if (!check(GetWindow(box, GW_OWNER) == main, "the box is owned by the timer window") ||
        !check(!IsWindowEnabled(main), "the timer window is disabled while the box is open (modal)") ||
        !check(findChild(box, L"Static", prompt) != nullptr, "the prompt \"%s\" is shown", utf8(prompt).c_str()) ||
        !check(findChild(box, L"Button", L"确定") && findChild(box, L"Button", L"取消"), "buttons 确定 and 取消") ||
        !check(edits.size() == 1, "one edit box (found %d)", static_cast<int>(edits.size()))) {
        return false;
    }
    const std::wstring text = windowText(edits[0]);
    const auto selection = static_cast<DWORD>(SendMessageW(edits[0], EM_GETSEL, 0, 0));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
    return check(text == args[1], "the edit box holds \"%s\" (expected \"%s\")", utf8(text).c_str(),
                 utf8(args[1]).c_str()) &&
           check(LOWORD(selection) == 0 && HIWORD(selection) == text.size(), "all of it selected (selection %u-%u)",
                 LOWORD(selection), HIWORD(selection)) &&
           check(thread.hwndActive == box && thread.hwndFocus == edits[0], "the box is active, its edit box focused");
}

// set-input TITLE TEXT and dialog-click TITLE CAPTION: the box driven by messages, where real keys cannot reach it.
bool setInput(Args args) {
    HWND box = dialogOrFail(args[0]);
    const auto edits = box ? childrenOfClass(box, L"Edit") : std::vector<HWND>{};
    return !edits.empty() && check(SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str())),
                                   "typed \"%s\" into the box", utf8(args[1]).c_str());
}

bool dialogClick(Args args) {
    HWND box = dialogOrFail(args[0]);
    HWND button = box ? findChild(box, L"Button", args[1]) : nullptr;
    return check(button && PostMessageW(button, BM_CLICK, 0, 0), "clicked \"%s\" in the box", utf8(args[1]).c_str());
}

// message-box TITLE MS TEXT: within MS a message box titled TITLE shows a text holding TEXT, while no timer window
// exists; then its button is pressed, whatever its caption in this locale.
bool messageBox(Args args) {
    std::vector<HWND> boxes;
    waitFor(milliseconds(args[1]), [&] {
        boxes = topLevelWindowsOfClass(L"#32770");
        std::erase_if(boxes, [&](HWND box) { return windowText(box) != args[0]; });
        return !boxes.empty();
    });
    if (!check(boxes.size() == 1, "one message box titled \"%s\" (found %d)", utf8(args[0]).c_str(),
               static_cast<int>(boxes.size()))) {
        return false;
    }
    std::wstring text;
    for (HWND label : childrenOfClass(boxes[0], L"Static")) {
        text += windowText(label);
    }
    info("message: %s", utf8(text).c_str());
    const auto buttons = childrenOfClass(boxes[0], L"Button");
    return check(text.find(args[2]) != std::wstring::npos, "the message holds \"%s\"", utf8(args[2]).c_str()) &&
           check(topLevelWindowsOfClass(L"ZantiroWindow").empty(), "no timer window") &&
           check(buttons.size() == 1 && PostMessageW(buttons[0], BM_CLICK, 0, 0), "pressed its one button");
}

// wait-notice MS TEXT: within MS the timer's notice shows a text holding TEXT, and it is not the foreground window;
// wait-notice MS none: no notice is shown for MS.
bool waitNotice(Args args) {
    constexpr wchar_t kNoticeClass[] = L"ZantiroNotice";
    if (args[1] == L"none") {
        const bool appeared =
            waitFor(milliseconds(args[0]), [&] { return !topLevelWindowsOfClass(kNoticeClass).empty(); });
        return check(!appeared, "no notice within %lu ms", milliseconds(args[0]));
    }
    std::vector<HWND> notices;
    waitFor(milliseconds(args[0]), [&] {
        notices = topLevelWindowsOfClass(kNoticeClass);
        return !notices.empty();
    });
    if (!check(notices.size() == 1, "one notice (found %d)", static_cast<int>(notices.size()))) {
        return false;
    }
    const std::wstring text = windowText(notices[0]);
    info("notice: %s", utf8(text).c_str());
    return check(text.find(args[1]) != std::wstring::npos, "the notice holds \"%s\"", utf8(args[1]).c_str()) &&
           check(GetForegroundWindow() != notices[0], "the notice is not the foreground window");
}

// no-message-box: no message box of the timer's (a dialog titled "Zantiro") is open.
bool noMessageBox(Args) {
    auto boxes = topLevelWindowsOfClass(L"#32770");
    std::erase_if(boxes, [](HWND box) { return windowText(box) != kMainCaption; });
    return check(boxes.empty(), "no message box titled \"Zantiro\" (found %d)", static_cast<int>(boxes.size()));
}

// expect-origin X Y: the window's top-left corner on the screen, in pixels.
bool expectOrigin(Args args) {
    HWND main = mainWindowOrFail();
    RECT rect{};
    if (!main || !GetWindowRect(main, &rect)) {
        return false;
    }
    const long x = std::wcstol(args[0].c_str(), nullptr, 10);
    const long y = std::wcstol(args[1].c_str(), nullptr, 10);
    return check(rect.left == x && rect.top == y, "window at %ld,%ld (expected %ld,%ld)", rect.left, rect.top, x, y);
}

struct Command {
    const wchar_t* name;
    std::size_t minArgs;
    bool (*run)(Args);
    const char* usage;
};

constexpr Command kCommands[] = {
    {L"wait-window", 1, waitWindow, "wait-window MS"},
    {L"wait-gone", 1, waitGone, "wait-gone MS"},
    {L"check-startup", 0, checkStartup, "check-startup [PERCENT]"},
    {L"geometry", 0, geometry, "geometry"},
    {L"update", 0, update, "update"},
    {L"move-window", 2, moveWindow, "move-window X Y"},
    {L"display-change", 0, displayChange, "display-change"},
    {L"button-centre", 1, buttonCentre, "button-centre CAPTION"},
    {L"click", 1, click, "click CAPTION"},
    {L"post-click", 1, postClick, "post-click CAPTION"},
    {L"wait-buttons", 1, waitButtons, "wait-buttons MS [CAPTION on|off]..."},
    {L"expect-alpha", 1, expectAlpha, "expect-alpha none|ALPHA"},
    {L"wait-menus", 2, waitMenus, "wait-menus COUNT MS"},
    {L"wait-dialog", 2, waitDialog, "wait-dialog TITLE MS"},
    {L"wait-no-dialog", 2, waitNoDialog, "wait-no-dialog TITLE MS"},
    {L"check-input", 2, checkInput, "check-input TITLE DEFAULT [PROMPT]"},
    {L"set-input", 2, setInput, "set-input TITLE TEXT"},
    {L"dialog-click", 2, dialogClick, "dialog-click TITLE CAPTION"},
    {L"message-box", 3, messageBox, "message-box TITLE MS TEXT"},
    {L"expect-origin", 2, expectOrigin, "expect-origin X Y"},
    {L"wait-notice", 2, waitNotice, "wait-notice MS TEXT|none"},
    {L"no-message-box", 0, noMessageBox, "no-message-box"},
    {L"expect-typed", 1, expectTyped, "expect-typed TEXT"},
    {L"check-timer-active", 0, checkTimerActive, "check-timer-active"},
    {L"move", 2, moveMainWindow, "move X Y"},
    {L"hold", 2, holdFile, "hold PATH MS"},
    {L"bystander", 1, runBystander, "bystander MS"},
    {L"check-focus", 0, checkFocus, "check-focus"},
    {L"check-order", 1, checkOrder, "check-order above|below"},
    {L"raise-bystander", 0, raiseBystander, "raise-bystander"},
    {L"display-changed", 0, announceDisplayChange, "display-changed"},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // "\n", not "\r\n": the output is read by shell scripts
    // Physical pixels whatever the DPI: an unaware caller would get scaled rectangles.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::vector<std::wstring> words(argv + 1, argv + argc);
    for (const Command& command : kCommands) {
        if (!words.empty() && words[0] == command.name && words.size() - 1 >= command.minArgs) {
            return command.run(Args(words).subspan(1)) ? 0 : 1;
        }
    }
    std::fputs("usage: driver COMMAND [ARGS]\n", stderr);
    for (const Command& command : kCommands) {
        std::fprintf(stderr, "  %s\n", command.usage);
    }
    return 2;
}
