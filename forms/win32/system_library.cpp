// Loading system DLLs by full path.
#include "forms/win32/system_library.h"

#include <string>

namespace zantiro::forms::win32 {

HMODULE loadSystemLibrary(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    path.resize(length);
    path += L'\\';
    path += name;
    return LoadLibraryW(path.c_str());
}

}  // namespace zantiro::forms::win32
