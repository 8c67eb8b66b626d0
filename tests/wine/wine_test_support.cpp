// Hidden windows, message pumps and file access for the Win32 backend's tests.
#include "tests/wine/wine_test_support.h"

#include <algorithm>
#include <cstdio>

#include "forms/win32/dib_section.h"

namespace zantiro::wine_tests {
namespace {

constexpr wchar_t kClassName[] = L"ZantiroWineTestWindow";

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));  // none while created
    if (message == WM_TIMER && window != nullptr && window->onTimer) {
        window->onTimer(wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

ATOM registerClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    return atom;
}

// A failure nobody expected is printed, not shown in a message box that would wait for a click forever.
[[maybe_unused]] const bool kFailuresPrinted = [] {
    forms::win32::setFailureListener([](const forms::win32::Failure& failure) {
        std::fwprintf(stderr, L"unexpected failure reported: %ls (error %lu) %ls\n",
                      forms::win32::describe(failure.where).c_str(), failure.error, failure.exception.c_str());
    });
    return true;
}();

}  // namespace

Surface::Surface(int width, int height) : bitmap_(forms::win32::createDibSection(SIZE{width, height})) {
    canvas_.select(bitmap_.get());
}

int Surface::count(const RECT& rect, COLORREF colour) const {
    int found = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            found += at(x, y) == colour ? 1 : 0;
        }
    }
    return found;
}

RecordedFailures::RecordedFailures()
    : previous_(forms::win32::setFailureListener([this](const forms::win32::Failure& f) { reports.push_back(f); })) {}

RecordedFailures::~RecordedFailures() {
    forms::win32::setFailureListener(previous_);
}

TestWindow::TestWindow(DWORD style, const wchar_t* title, DWORD exStyle, HWND parent) {
    registerClass();
    hwnd_ = CreateWindowExW(exStyle, kClassName, title, style, 100, 100, 300, 200, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestWindow::~TestWindow() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

void pumpFor(int milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}

std::optional<std::vector<std::uint8_t>> readFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    const bool ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                                      read == bytes.size());
    CloseHandle(file);
    return ok ? std::optional(std::move(bytes)) : std::nullopt;
}

bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && ok;
}

std::wstring hostPath(const std::string& buildPath) {
    // Under Wine the build's paths are Unix ones; on Windows itself they already name a drive.
    std::wstring path = buildPath.starts_with('/') ? L"Z:" : L"";
    for (const char c : buildPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));  // the tree's paths are ASCII
    }
    return path;
}

TempFolder::TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);  // ends with a backslash
    path_ = std::wstring(temp, length) + name + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

}  // namespace zantiro::wine_tests
