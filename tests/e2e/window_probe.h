// Finding and reading the running timer's windows from another process: main window, buttons, dialogs, menus.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/win32/win32.h"

namespace zantiro::e2e {

inline constexpr wchar_t kMainCaption[] = L"Zantiro";
inline constexpr wchar_t kMainClass[] = L"ZantiroWindow";  // found by: a title changes the caption
inline constexpr wchar_t kMenuClass[] = L"#32768";

std::string utf8(std::wstring_view text);
std::wstring wide(std::string_view text);

std::wstring windowText(HWND window);  // WM_GETTEXT: unlike GetWindowTextW it reads controls of other processes
std::wstring className(HWND window);

// Visible top-level windows with this caption (or of this class, for the menus), in z-order.
std::vector<HWND> topLevelWindows(std::wstring_view caption);
std::vector<HWND> topLevelWindowsOfClass(std::wstring_view cls);
// The topmost timer window; with ZANTIRO_E2E_FOLDER set, the one whose program lies in a folder of that name.
HWND findMainWindow();

// Direct children of the given class, in z-order (which is creation order unless someone reorders them).
std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view cls);
HWND findChild(HWND parent, std::wstring_view cls, std::wstring_view text);

// Polls every 20 ms; true as soon as done() is, false after timeoutMs.
bool waitFor(DWORD timeoutMs, const std::function<bool()>& done);

// A rectangle in the parent's client coordinates.
RECT rectInParent(HWND child, HWND parent);

}  // namespace zantiro::e2e
