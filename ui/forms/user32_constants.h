// The user32 values the window passes through the WindowSystem interface, as Windows defines them (named apart
// from <windows.h>'s macros so both can be included together).
#pragma once

#include <cstdint>

#include "ui/forms/window.h"

namespace zantiro::forms::user32 {

inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlExStyle = -20;

inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsExTopmost = 0x00000008;
inline constexpr std::uint32_t kWsExLayered = 0x00080000;

inline const WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
inline constexpr unsigned kSwpNoSize = 0x0001;
inline constexpr unsigned kSwpNoMove = 0x0002;

inline constexpr unsigned kLwaAlpha = 0x00000002;

inline constexpr unsigned kWmNcLButtonDown = 0x00A1;
inline constexpr std::uintptr_t kHtCaption = 2;

}  // namespace zantiro::forms::user32
