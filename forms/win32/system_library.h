// Calls found at run time instead of imported: system DLLs loaded when first needed, so start-up neither waits for
// them nor holds them, and calls newer than Windows 7 SP1, which imported would stop the exe from loading there
// ("entry point not found"). Every caller keeps a fallback for when a call is missing.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// `name` (e.g. L"winmm.dll") from the system folder, by its full path so no file of that name beside the exe is
// taken, and never freed. Each call is a LoadLibraryW (the system maps the DLL once and counts the loads), so a
// caller looks its calls up once and keeps them. Null when it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

// The call `name` of `library`: one loadSystemLibrary gave, or a DLL loaded with the exe (GetModuleHandleW of
// user32.dll). Null when the library or the call is missing.
template <typename Function>
Function systemCall(HMODULE library, const char* name) {
    return library != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                              : nullptr;
}

}  // namespace zantiro::forms::win32
