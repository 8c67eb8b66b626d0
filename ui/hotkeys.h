// The keys that work from any program, Ctrl+Alt+F1 to F10, and what the timer says when some are taken.
#pragma once

#include <span>
#include <string>

namespace zantiro::ui {

inline constexpr int kHotkeyCount = 10;  // Ctrl+Alt+F1 to Ctrl+Alt+F10, numbered 1 to 10

// One line for a notice: which of the keys another program holds, so the timer goes without them. Empty when none.
std::string takenHotkeysNotice(std::span<const int> takenNumbers);

}  // namespace zantiro::ui
