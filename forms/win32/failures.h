// Failures are seen: a failed Win32 call is told to the debugger, and to the user when it affects them; no
// exception leaves a window or dialog procedure.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

struct Failure {
    std::wstring call;                     // what failed: an API name, or where an exception was stopped
    DWORD error = 0;                       // GetLastError() right after the call; 0 for an exception
    const wchar_t* userMessage = nullptr;  // what the user is told (Chinese), or nullptr for the debugger only
};
using FailureListener = std::function<void(const Failure&)>;

// Reports a failure when `failed` holds and returns `failed`, so that it reads `if (reportIf(!ok, ...)) recover();`
bool reportIf(bool failed, const wchar_t* call, const wchar_t* userMessage = nullptr);

// Where failures go; returns the listener it replaces. The default writes "zantiro: <call> failed (error n)"
// with OutputDebugStringW and shows each distinct user message once per run in a message box.
FailureListener setFailureListener(FailureListener listener);

void reportException(const wchar_t* where, const char* what);

// Runs a window or dialog procedure's handling: an exception that would cross into user32 (which cannot unwind
// C++ frames) is reported and `fallback` returned instead.
template <typename Result, typename Handler>
Result exceptionBarrier(const wchar_t* where, Result fallback, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (const std::exception& error) {
        reportException(where, error.what());
    } catch (...) {
        reportException(where, nullptr);
    }
    return fallback;
}

}  // namespace zantiro::forms::win32
