// zantiro.exe: the Win32 services, Form1 and its window, the load handling, then the message loop.
#include "ui/forms/win32/win32.h"

// These need <windows.h> before them.
#include <commctrl.h>
#include <objbase.h>

#include "effects/clock_seeded_random.h"
#include "resources/resource_ids.h"
#include "ui/form1.h"
#include "ui/forms/win32/input_box.h"
#include "ui/forms/win32/main_window.h"
#include "ui/forms/win32/picture.h"
#include "ui/forms/win32/popup_menu.h"
#include "ui/forms/win32/services.h"

namespace {

using namespace zantiro;
using namespace zantiro::forms::win32;

// Accelerators first, so F1 to F5 work whichever button has the focus; then Tab and Enter among the buttons.
void runMessageLoop(const MainWindow& mainWindow) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(mainWindow.hwnd(), mainWindow.accelerators(), &message) != 0 ||
            IsDialogMessageW(mainWindow.hwnd(), &message) != FALSE) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // WIC decodes the picture through COM; the common controls draw the buttons.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32WindowSystem windowSystem;
    Win32Screen screen;
    Win32PopupMenu popupMenu;
    Win32InputBox inputBox;
    Win32SoundPlayer soundPlayer;
    Win32FileSystem fileSystem;
    Win32Resources resources;
    effects::ClockSeededRandom random;
    Win32Regional regional;
    Win32Program program;
    forms::Platform platform{windowSystem, screen,    popupMenu, inputBox, soundPlayer,
                             fileSystem,   resources, random,    regional, program};

    ui::Form1 form(platform);
    // These services convert or own through the window, which exists only with the form.
    screen.setWindow(form.window);
    popupMenu.setOwner(form.window);
    inputBox.setOwner(form.window);

    MainWindow mainWindow(form.window, Picture::decode(Picture::resource(IDR_BACKGROUND)));
    mainWindow.onFunctionKey = [&form](int number) { form.functionKey(number); };
    if (!mainWindow.create()) {
        return 1;
    }
    form.Form_Load();
    mainWindow.show();
    runMessageLoop(mainWindow);

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
