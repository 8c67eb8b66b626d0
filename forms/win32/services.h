// The platform services as Windows gives them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// The window-style intents as user32 calls: style words, the topmost band, layered alpha, the caption's drag.
class Win32WindowSystem final : public WindowSystem {
public:
    void removeTitleBar(WindowHandle window) override;
    void makeTopmost(WindowHandle window) override;
    void setOpacity(WindowHandle window, std::uint8_t alpha) override;
    void beginDrag(WindowHandle window) override;
};

// The primary monitor and the others in twips at the given window's DPI.
class Win32Screen final : public Screen {
public:
    void setWindow(const Window& window) { window_ = &window; }  // its DPI converts pixels to twips
    std::vector<MonitorArea> monitors() override;                // EnumDisplayMonitors, the whole of each

private:
    const Window* window_ = nullptr;  // not owned
};

class Win32FileSystem final : public FileSystem {
public:
    std::string programFolder() override;  // from GetModuleFileNameW, without the trailing separator
    bool writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) override;
    // Shared for reading only: a file another program is writing is unreadable, not half read.
    std::variant<std::vector<std::uint8_t>, ReadFailure> readWhole(const std::string& path, std::size_t limit) override;
};

// Resources of the running module, in Chinese (PRC) first, then any language.
class Win32Resources final : public Resources {
public:
    std::span<const std::uint8_t> bytes(int id, std::string_view type) override;
};

class Win32Regional final : public Regional {
public:
    // Milliseconds the tick now running is late. The time shown is the moment the tick was due, so a late tick
    // still shows the second it stands for.
    void setLateness(std::function<std::int64_t()> lateness) { lateness_ = std::move(lateness); }
    std::string longTimeText() override;      // GetTimeFormatEx, the user's default locale
    std::string decimalSeparator() override;  // LOCALE_SDECIMAL
    TimeOfDay timeOfDay() override;           // GetLocalTime

private:
    std::function<std::int64_t()> lateness_;
};

// SetThreadExecutionState: the display and the system stay on while awake is asked.
class Win32Power final : public Power {
public:
    void keepAwake(bool awake) override;
};

class Win32Program final : public Program {
public:
    [[noreturn]] void end() override;  // ExitProcess(0)
};

}  // namespace zantiro::forms::win32
