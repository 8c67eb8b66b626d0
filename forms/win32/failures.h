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
    DWORD error = 0;                       // GetLastError() right after the call; 0 for an exception or a COM call
    std::wstring exception;                // an exception's what(); empty for a failed call
    const wchar_t* userMessage = nullptr;  // what the user is told (Chinese), or nullptr for the debugger only
    HRESULT result = S_OK;                 // what a COM call returned (it sets no last error); S_OK otherwise
};
using FailureListener = std::function<void(const Failure&)>;

// Reports a failure of the call just made when `failed` holds and returns `failed`, so that it reads
// `if (reportIf(!ok)) recover();`. The report names the line it was made on.
bool reportIf(bool failed,
              const wchar_t* userMessage = nullptr,
              std::source_location where = std::source_location::current());

// The same for a COM call, which fails by its result: reports it when FAILED(result) and returns that.
bool reportIfFailed(HRESULT result,
                    const wchar_t* userMessage = nullptr,
                    std::source_location where = std::source_location::current());

// Where failures go; returns the listener it replaces. The default writes describe(failure) with
// OutputDebugStringW and shows each distinct user message once per run in a message box.
FailureListener setFailureListener(FailureListener listener);

void reportException(const char* what, std::source_location where);
// The debugger's line: "zantiro: file(line) function: a call failed (error 5)", "(HRESULT 0x80070057)" or the
// exception stopped.
std::wstring describe(const Failure& failure);
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
