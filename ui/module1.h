// Window-style changes made through the window system.
#pragma once

#include "ui/forms/platform.h"
#include "ui/forms/user32_constants.h"

namespace zantiro::ui {

// Takes away the caption and the sizing frame, adds the system menu and the minimise box.
inline void RemoveTitleBar(forms::WindowSystem& windowSystem, forms::WindowHandle hwnd) {
    using namespace forms::user32;
    auto style = static_cast<std::uint32_t>(windowSystem.getWindowLong(hwnd, kGwlStyle));
    style = (style & ~(kWsCaption | kWsThickFrame)) | kWsSysMenu | kWsMinimizeBox;
    windowSystem.setWindowLong(hwnd, kGwlStyle, static_cast<std::int32_t>(style));
}

}  // namespace zantiro::ui
