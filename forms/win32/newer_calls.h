// Calls newer than Windows 7 SP1, found at run time: imported, they would stop the exe from loading there
// ("entry point not found"). Every caller keeps a fallback for when the call is missing.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// The call `name` of the system DLL `module`, which must already be loaded (user32, gdi32, kernel32); nullptr
// where this Windows lacks it, or while the newer calls are hidden.
FARPROC findNewerCall(const wchar_t* module, const char* name);

template <typename Function>
Function newerCall(const wchar_t* module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(findNewerCall(module, name)));
}

// Tests: while hidden, every look-up fails as on Windows 7, so the fallbacks run.
void hideNewerCalls(bool hidden);

}  // namespace zantiro::forms::win32
