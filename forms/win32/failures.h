// Failures are seen: a failed Win32 call is told to the debugger, and to the user when it affects them; no
// exception leaves a window or dialog procedure.
#pragma once

#include <exception>
#include <functional>
#include <source_location>
#include <string>

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

struct Failure {
    std::source_location where;            // the code that saw the call fail, or stopped the exception
    DWORD error = 0;                       // GetLastError() right after the call; 0 for an exception
    std::wstring exception;                // an exception's what(); empty for a failed call
    const wchar_t* userMessage = nullptr;  // what the user is told (Chinese), or nullptr for the debugger only
};
using FailureListener = std::function<void(const Failure&)>;

// Reports a failure of the call just made when `failed` holds and returns `failed`, so that it reads
// `if (reportIf(!ok)) recover();`. The report names the line it was made on.
bool reportIf(bool failed,
              const wchar_t* userMessage = nullptr,
              std::source_location where = std::source_location::current());

// Where failures go; returns the listener it replaces. The default writes "zantiro: <file>(<line>) <function>:
// failed (error n)" with OutputDebugStringW and shows each distinct user message once per run in a message box.
FailureListener setFailureListener(FailureListener listener);

void reportException(const char* what, std::source_location where);
// "file(line) function", for the debugger.
std::wstring describe(const std::source_location& where);

// Runs a window or dialog procedure's handling: an exception that would cross into user32 (which cannot unwind
// C++ frames) is reported and `fallback` returned instead.
template <typename Result, typename Handler>
Result exceptionBarrier(Result fallback,
                        Handler&& handler,
                        std::source_location where = std::source_location::current()) noexcept {
    try {
        return handler();
    } catch (const std::exception& error) {
        reportException(error.what(), where);
    } catch (...) {
        reportException(nullptr, where);
    }
    return fallback;
}

}  // namespace zantiro::forms::win32
