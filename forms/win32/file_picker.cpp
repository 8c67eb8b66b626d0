// GetOpenFileNameW, the one box that is the same from Windows 7 on and needs no COM interface of our own.
#include "forms/win32/file_picker.h"

// After <windows.h>, which win32.h brings.
#include <commdlg.h>

#include <cwchar>
#include <string>

#include "forms/win32/com_apartment.h"
#include "forms/win32/failures.h"
#include "forms/win32/system_library.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

// Pairs of a name and its patterns; the literal's own terminator ends the list with two.
constexpr wchar_t kFilter[] = L"声音文件 (*.wav;*.mp3)\0*.wav;*.mp3\0所有文件 (*.*)\0*.*\0";
constexpr DWORD kLongestPath = 32768;  // the longest path Windows names, in UTF-16 units

}  // namespace

std::optional<std::string> Win32FilePicker::chooseSoundFile() {
    using OpenFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
    using ErrorFunction = DWORD(WINAPI*)();
    static const HMODULE library = loadSystemLibrary(L"comdlg32.dll");
    static const auto open = systemCall<OpenFunction>(library, "GetOpenFileNameW");
    static const auto error = systemCall<ErrorFunction>(library, "CommDlgExtendedError");
    if (reportIf(open == nullptr)) {
        return std::nullopt;
    }
    // The Explorer-style box hosts the shell's folder view, which wants the single-threaded apartment.
    enterComApartment();

    std::wstring file(kLongestPath, L'\0');
    OPENFILENAMEW box{};
    box.lStructSize = sizeof box;
    box.hwndOwner = owner_ != nullptr ? reinterpret_cast<HWND>(owner_->hWnd()) : nullptr;  // not owned
    box.lpstrFilter = kFilter;
    box.nFilterIndex = 1;
    box.lpstrFile = file.data();
    box.nMaxFile = kLongestPath;
    box.lpstrTitle = L"选择铃声";
    // The current folder stays: a relative path given later is still read from where the program was started.
    box.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    if (!open(&box)) {
        // 0 is Cancel; anything else is the box failing.
        reportIf(error != nullptr && error() != 0);
        return std::nullopt;
    }
    file.resize(std::wcslen(file.c_str()));
    return narrow(file);
}

}  // namespace zantiro::forms::win32
