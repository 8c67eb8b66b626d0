// zantiro.exe: the command line, the Win32 services, Form1 and its window, the load handling, the start options,
// then the message loop.
#include "forms/win32/win32.h"

// Needs <windows.h> before it.
#include <commctrl.h>

#include <cstdint>
#include <cstdlib>  // __argc, __wargv
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/clock_seeded_random.h"
#include "core/command_line.h"
#include "forms/win32/diagnostic_log.h"
#include "forms/win32/file_picker.h"
#include "forms/win32/global_hotkeys.h"
#include "forms/win32/input_box.h"
#include "forms/win32/main_window.h"
#include "forms/win32/mp3_decoder.h"
#include "forms/win32/notice.h"
#include "forms/win32/picture.h"
#include "forms/win32/popup_menu.h"
#include "forms/win32/services.h"
#include "forms/win32/sound_player.h"
#include "forms/win32/text.h"
#include "resources/resource_ids.h"
#include "ui/form1.h"
#include "ui/hotkeys.h"
#include "zantiro_version.h"

namespace {

using namespace zantiro;
using namespace zantiro::forms::win32;

// Accelerators first, so F1 to F5, F9 and F10 work whichever button has the focus; then Tab and Enter among the
// buttons. With the diagnostic log on, a GetMessageW that finds nothing waiting counts as a wake-up.
void runMessageLoop(const MainWindow& mainWindow, DiagnosticLog* log) {
    MSG message{};
    for (;;) {
        const bool waits = log != nullptr && PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) == FALSE;
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            break;
        }
        if (waits) {
            log->wake();
        }
        if (TranslateAcceleratorW(mainWindow.hwnd(), mainWindow.accelerators(), &message) != 0 ||
            IsDialogMessageW(mainWindow.hwnd(), &message) != FALSE) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Announcements go to the window's alert element once the window exists; the countdown ticks only after that.
class WindowAnnouncer final : public forms::Announcer {
public:
    void setWindow(MainWindow& window) { window_ = &window; }
    void announce(std::string_view text) override {
        if (window_ != nullptr) {
            window_->announce(text);
        }
    }

private:
    MainWindow* window_ = nullptr;  // not owned
};

// Notices go below the timer in the buttons' font at the window's DPI, for eight seconds. What is said before the
// window shows waits for it, since a hidden window has no place on the screen yet.
class WindowNotifier final : public forms::Notifier {
public:
    void setWindow(const MainWindow& window, const forms::Window& form) {
        window_ = &window;
        form_ = &form;
        if (!pending_.empty()) {
            notify(std::exchange(pending_, std::string()));
        }
    }
    void notify(std::string_view text) override {
        constexpr UINT kMilliseconds = 8000;
        if (window_ == nullptr) {
            pending_ += (pending_.empty() ? "" : "\n") + std::string(text);
            return;
        }
        notice_.show(window_->hwnd(), widen(text), ui::kButtonFont, form_->dpi(), kMilliseconds);
    }

private:
    const MainWindow* window_ = nullptr;   // not owned
    const forms::Window* form_ = nullptr;  // not owned
    Notice notice_;
    std::string pending_;
};

// Says why the program ends before its window shows: in the system's words for `error`, and its number.
void reportNoWindow(DWORD error) {
    std::wstring text = L"无法创建计时器窗口。";
    if (error != 0) {
        wchar_t* reason = nullptr;  // owned: allocated by FormatMessageW, freed below
        if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr) != 0) {
            std::wstring words(reason);
            LocalFree(reason);
            words.erase(words.find_last_not_of(L"\r\n ") + 1);  // the system's text ends in a line break
            text += L"\n\n" + words;
        }
        text += L"（错误代码 " + std::to_wstring(error) + L"）";
    }
    MessageBoxW(nullptr, text.c_str(), L"Zantiro", MB_OK | MB_ICONERROR);
}

// The arguments after the program's name, as the C runtime split them at start-up: CommandLineToArgvW's rules for
// quotes and backslashes, without loading shell32 (about a megabyte) for them.
std::vector<std::string> commandLineArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; __wargv != nullptr && i < __argc; ++i) {
        arguments.push_back(narrow(__wargv[i]));
    }
    return arguments;
}

// The usage (exit code 0) or what is wrong with an argument and the usage (exit code 2), before any window shows.
int reportCommandLine(const core::CommandLine& commandLine) {
    const auto* error = std::get_if<core::CommandLineError>(&commandLine);
    const std::string usage = "Zantiro " ZANTIRO_VERSION_TEXT "\n\n" + std::string(core::kUsageText);
    const std::string text = error ? error->message + "\n\n" + usage : usage;
    MessageBoxW(nullptr, widen(text).c_str(), L"Zantiro",
                MB_OK | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONINFORMATION));
    return error ? 2 : 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Win32Regional regional;
    const core::CommandLine commandLine = core::parseCommandLine(commandLineArguments(), regional.decimalSeparator());
    const auto* options = std::get_if<core::StartOptions>(&commandLine);
    if (!options) {
        return reportCommandLine(commandLine);
    }

    // The common controls draw the buttons. (COM waits until a picture has to be resampled for another DPI.)
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32WindowSystem windowSystem;
    Win32Screen screen;
    Win32PopupMenu popupMenu;
    Win32InputBox inputBox;
    Win32SoundPlayer soundPlayer;
    Win32FileSystem fileSystem;
    Win32Resources resources;
    core::ClockSeededRandom random;
    Win32Program program;
    Win32Power power;
    WindowAnnouncer announcer;
    WindowNotifier notifier;
    Win32FilePicker filePicker;
    Win32SoundDecoder soundDecoder;
    forms::Platform platform{windowSystem, screen,  popupMenu, inputBox,  soundPlayer, fileSystem, resources,
                             regional,     program, power,     announcer, notifier,    filePicker, soundDecoder};

    ui::Form1 form(platform, random);
    // These services convert or own through the window, which exists only with the form.
    screen.setWindow(form.window);
    popupMenu.setOwner(form.window);
    inputBox.setOwner(form.window);
    filePicker.setOwner(form.window);

    // Before the window is made, so that it is made on that monitor at its DPI, and before the scale, which must
    // fit that monitor's work area.
    form.startOnMonitor(options->monitor);

    MainWindow mainWindow(form.window, Picture::load(IDR_BACKGROUND));
    mainWindow.onFunctionKey = [&form](int number) { form.functionKey(number); };
    announcer.setWindow(mainWindow);
    mainWindow.onHotkey = [&form](int number) { form.hotkey(number); };
    if (!mainWindow.create()) {
        reportNoWindow(GetLastError());
        return 1;
    }
    // The clock shares the wake-ups of the counting and flashing timers, and shows the second its tick was due in.
    TimerScheduler& scheduler = mainWindow.scheduler();
    scheduler.shareWakeUps(form.Timer1, &TimerScheduler::wallMilliseconds);
    regional.setLateness([&scheduler] {
        const std::optional<std::int64_t> due = scheduler.tickDue();
        return due ? TimerScheduler::steadyMilliseconds() - *due : 0;
    });
    DiagnosticLog* log = DiagnosticLog::get();
    if (log != nullptr) {
        for (forms::Timer* timer : {&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4}) {
            log->watch(*timer, scheduler, timer == &form.Timer1 ? &form.Label6 : nullptr);
        }
    }
    if (options->scale != 0) {
        form.startAtScale(options->scale);  // before the load, which sizes and places the window at its DPI
    }
    form.Form_Load();
    form.applyStartOptions(*options);
    mainWindow.show();
    if (options->start && form.model.state().run == core::RunState::Ready) {  // /until has started already
        mainWindow.post([&form] { form.Command1_Click(); });  // from the message loop, after the first paint
    }
    // Keys another program (or another timer) holds stay with it; the notice names them and takes no keyboard.
    std::optional<GlobalHotkeys> hotkeys;
    if (!options->noHotkeys) {
        hotkeys.emplace(mainWindow.hwnd(), ui::kHotkeyCount);
        const std::string taken = ui::takenHotkeysNotice(hotkeys->taken());
        if (!taken.empty()) {
            notifier.notify(taken);
        }
    }
    notifier.setWindow(mainWindow, form.window);
    runMessageLoop(mainWindow, log);
    return 0;
}
