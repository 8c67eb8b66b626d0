// The failure reports' default destination: the debugger, and a message box the first time a user message comes.
#include "forms/win32/failures.h"

#include <cwchar>
#include <iterator>
#include <set>
#include <utility>

#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

void tellDebuggerAndUser(const Failure& failure) {
    OutputDebugStringW((describe(failure) + L"\n").c_str());
    static std::set<std::wstring> told;
    static bool showing = false;  // the box pumps messages: a failure meanwhile is not a second box
    if (failure.userMessage == nullptr || showing || !told.insert(failure.userMessage).second) {
        return;
    }
    showing = true;
    // Task-modal: this thread's windows wait for it without naming one; topmost, or the always-on-top timer
    // window would cover it.
    MessageBoxW(nullptr, failure.userMessage, L"Zantiro", MB_OK | MB_ICONWARNING | MB_TASKMODAL | MB_TOPMOST);
    showing = false;
}

FailureListener& listener() {
    static FailureListener current = tellDebuggerAndUser;
    return current;
}

}  // namespace

bool reportIf(bool failed, const wchar_t* userMessage, std::source_location where) {
    if (failed) {
        const DWORD error = GetLastError();
        listener()(Failure{where, error, {}, userMessage});
    }
    return failed;
}

bool reportIfFailed(HRESULT result, const wchar_t* userMessage, std::source_location where) {
    if (FAILED(result)) {
        listener()(Failure{where, 0, {}, userMessage, result});
    }
    return FAILED(result);
}

FailureListener setFailureListener(FailureListener replacement) {
    return std::exchange(listener(), replacement ? std::move(replacement) : FailureListener(tellDebuggerAndUser));
}

void reportException(const char* what, std::source_location where) {
    listener()(Failure{where, 0, what != nullptr ? widen(what) : L"unknown exception", nullptr});
}

std::wstring describe(const Failure& failure) {
    std::wstring text = L"zantiro: " + describe(failure.where);
    if (!failure.exception.empty()) {
        text += L": exception stopped (" + failure.exception + L")";
    } else if (FAILED(failure.result)) {
        wchar_t hex[11];
        std::swprintf(hex, std::size(hex), L"0x%08lX", static_cast<unsigned long>(failure.result));
        text += L": a call failed (HRESULT " + std::wstring(hex) + L")";
    } else {
        text += L": a call failed (error " + std::to_wstring(failure.error) + L")";
    }
    return text;
}

std::wstring describe(const std::source_location& where) {
    return widen(where.file_name()) + L"(" + std::to_wstring(where.line()) + L") " + widen(where.function_name());
}

}  // namespace zantiro::forms::win32
