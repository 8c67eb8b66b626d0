// The user32 values the window passes through the WindowSystem interface, as Windows defines them.
#pragma once

#include <cstdint>

#include "ui/forms/window.h"

namespace zantiro::forms::user32 {

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;

inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr std::uint32_t WS_EX_LAYERED = 0x00080000;

inline const WindowHandle HWND_TOPMOST = static_cast<WindowHandle>(-1);
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;

inline constexpr unsigned LWA_ALPHA = 0x00000002;

inline constexpr unsigned WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr std::uintptr_t HTCAPTION = 2;

}  // namespace zantiro::forms::user32
