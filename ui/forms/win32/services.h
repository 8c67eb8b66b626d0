// The platform services as Windows gives them.
#pragma once

#include <string>
#include <vector>

#include "ui/forms/platform.h"
#include "ui/forms/win32/win32.h"

namespace zantiro::forms::win32 {

class Win32WindowSystem final : public WindowSystem {
public:
    std::intptr_t getWindowLong(WindowHandle window, int index) override;
    void setWindowLong(WindowHandle window, int index, std::intptr_t value) override;
    void setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags)
        override;
    void setLayeredWindowAttributes(WindowHandle window, Colour key, std::uint8_t alpha, unsigned flags) override;
    void releaseCapture() override;
    std::intptr_t sendMessage(WindowHandle window,
                              unsigned message,
                              std::uintptr_t wParam,
                              std::intptr_t lParam) override;
};

// The primary screen in twips at the given window's DPI.
class Win32Screen final : public Screen {
public:
    void setWindow(const Window& window) { window_ = &window; }  // its DPI converts pixels to twips
    float widthTwips() override;
    float heightTwips() override;

private:
    const Window* window_ = nullptr;  // not owned
};

// PlaySoundW with the file name, asynchronously; a path that names no readable file plays the default sound.
class Win32SoundPlayer final : public SoundPlayer {
public:
    void playAsync(const std::string& path) override;
};

class Win32FileSystem final : public FileSystem {
public:
    std::string programFolder() override;  // from GetModuleFileNameW, without the trailing separator
    bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

// Resources of the running module, in Chinese (PRC) first, then any language.
class Win32Resources final : public Resources {
public:
    std::span<const std::uint8_t> bytes(int id, std::string_view type) override;
};

class Win32Regional final : public Regional {
public:
    std::string longTimeText() override;      // GetTimeFormatEx, the user's default locale
    std::string decimalSeparator() override;  // LOCALE_SDECIMAL
};

class Win32Program final : public Program {
public:
    [[noreturn]] void end() override;  // ExitProcess(0)
};

}  // namespace zantiro::forms::win32
