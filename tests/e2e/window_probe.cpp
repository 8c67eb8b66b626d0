// Finding and reading the running timer's windows from another process.
#include "tests/e2e/window_probe.h"

#include <cstdlib>

#include "forms/win32/text.h"

namespace zantiro::e2e {

std::string utf8(std::wstring_view text) {
    return forms::win32::narrow(text);
}

std::wstring wide(std::string_view text) {
    return forms::win32::widen(text);
}

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    text.resize(copied);
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

namespace {

struct TopLevelQuery {
    std::wstring_view caption;
    std::wstring_view cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM context) {
    auto& query = *reinterpret_cast<TopLevelQuery*>(context);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    // Only the main window's caption is read with a message; the class name needs none.
    if (!query.cls.empty() ? className(window) == query.cls : windowText(window) == query.caption) {
        query.found.push_back(window);
    }
    return TRUE;
}

struct ChildQuery {
    HWND parent;
    std::wstring_view cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectChildren(HWND window, LPARAM context) {
    auto& query = *reinterpret_cast<ChildQuery*>(context);
    if (GetParent(window) == query.parent &&
        _wcsicmp(className(window).c_str(), std::wstring(query.cls).c_str()) == 0) {
        query.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> topLevelWindows(std::wstring_view caption) {
    TopLevelQuery query{caption, {}, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::vector<HWND> topLevelWindowsOfClass(std::wstring_view cls) {
    TopLevelQuery query{{}, cls, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

namespace {

// The name of the folder holding the window's program, e.g. "ro" for Z:\tmp\x\ro\zantiro.exe.
std::wstring programFolderName(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    wchar_t image[MAX_PATH * 4];
    DWORD length = MAX_PATH * 4;
    const bool named = process != nullptr && QueryFullProcessImageNameW(process, 0, image, &length);
    if (process != nullptr) {
        CloseHandle(process);
    }
    const std::wstring path = named ? std::wstring(image, length) : std::wstring();
    const std::size_t file = path.find_last_of(L'\\');
    const std::size_t folder = file == std::wstring::npos ? file : path.find_last_of(L'\\', file - 1);
    return folder == std::wstring::npos ? std::wstring() : path.substr(folder + 1, file - folder - 1);
}

}  // namespace

HWND findMainWindow() {
    const wchar_t* folder = _wgetenv(L"ZANTIRO_E2E_FOLDER");
    for (HWND window : topLevelWindowsOfClass(kMainClass)) {
        if (folder == nullptr || programFolderName(window) == folder) {
            return window;
        }
    }
    return nullptr;
}

std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view cls) {
    ChildQuery query{parent, cls, {}};
    EnumChildWindows(parent, collectChildren, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND findChild(HWND parent, std::wstring_view cls, std::wstring_view text) {
    for (HWND child : childrenOfClass(parent, cls)) {
        if (windowText(child) == text) {
            return child;
        }
    }
    return nullptr;
}

bool waitFor(DWORD timeoutMs, const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
}

RECT rectInParent(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace zantiro::e2e
