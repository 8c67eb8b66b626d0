// Run-time look-up of calls newer than Windows 7 SP1.
#include "forms/win32/newer_calls.h"

#include <atomic>

namespace zantiro::forms::win32 {
namespace {

std::atomic<bool> newerCallsHidden{false};

}  // namespace

FARPROC findNewerCall(const wchar_t* module, const char* name) {
    if (newerCallsHidden) {
        return nullptr;
    }
    const HMODULE loaded = GetModuleHandleW(module);  // not owned: loaded with the exe
    return loaded != nullptr ? GetProcAddress(loaded, name) : nullptr;
}

void hideNewerCalls(bool hidden) {
    newerCallsHidden = hidden;
}

}  // namespace zantiro::forms::win32
