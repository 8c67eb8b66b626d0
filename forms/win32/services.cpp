// The platform services as Windows gives them: window styles, screen size, files, resources, locale.
#include "forms/win32/services.h"

#include <algorithm>
#include <iterator>

#include "forms/units.h"
#include "forms/win32/dpi.h"
#include "forms/win32/handles.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

void Win32WindowSystem::removeTitleBar(WindowHandle window) {
    const HWND hwnd = toHwnd(window);
    // The style word is 32 bits even where GetWindowLongPtr returns 64.
    auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    style = (style & ~DWORD{WS_CAPTION | WS_THICKFRAME}) | WS_SYSMENU | WS_MINIMIZEBOX;
    SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG>(style));
}

void Win32WindowSystem::makeTopmost(WindowHandle window) {
    SetWindowPos(toHwnd(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32WindowSystem::setOpacity(WindowHandle window, std::uint8_t alpha) {
    const HWND hwnd = toHwnd(window);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
}

void Win32WindowSystem::beginDrag(WindowHandle window) {
    // The press gave the window the mouse capture; the system's move loop needs it back to take the mouse.
    ReleaseCapture();
    SendMessageW(toHwnd(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

namespace {

// The DPI the window is drawn at: its monitor's own (the system's once the window exists, the one the forms layer
// holds before), times the user's scale.
int screenDpi(const Window* window) {
    if (window == nullptr) {
        return kDesignDpi;
    }
    if (window->hWnd() != 0) {
        return scaledDpi(windowDpi(toHwnd(window->hWnd())), window->scale());
    }
    return window->dpi();
}

struct FoundMonitors {
    std::vector<MonitorArea> monitors;  // the primary first
    int dpi;
};

// CALLBACK, not a lambda: the 32-bit ABI wants stdcall.
BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& found = *reinterpret_cast<FoundMonitors*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const auto twips = [&found](const RECT& rect) {
            return TwipsRect{pixelsToTwips(rect.left, found.dpi), pixelsToTwips(rect.top, found.dpi),
                             pixelsToTwips(rect.right - rect.left, found.dpi),
                             pixelsToTwips(rect.bottom - rect.top, found.dpi)};
        };
        const TwipsRect whole = twips(info.rcMonitor);
        const MonitorArea area{whole.left, whole.top, whole.width, whole.height, twips(info.rcWork)};
        const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        found.monitors.insert(primary ? found.monitors.begin() : found.monitors.end(), area);
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> Win32Screen::monitors() {
    FoundMonitors found{{}, screenDpi(window_)};
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&found));
    if (found.monitors.empty()) {  // a session with no monitor attached still has a screen
        const int dpi = screenDpi(window_);
        found.monitors.push_back(MonitorArea{0, 0, pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
                                             pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)});
    }
    return found.monitors;
}

std::string Win32FileSystem::programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {  // a full buffer means the name was cut short
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L'\\');
    return narrow(separator == std::wstring::npos ? std::wstring_view() : std::wstring_view(path).substr(0, separator));
}

bool Win32FileSystem::writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) {
    // OPEN_ALWAYS keeps an existing file's length: bytes past the new content stay as they were.
    UniqueFile file(CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return file.close();
}

std::variant<std::vector<std::uint8_t>, ReadFailure> Win32FileSystem::readWhole(const std::string& path,
                                                                                std::size_t limit) {
    const std::wstring name = widen(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
        return missing ? ReadFailure::Missing : ReadFailure::Unreadable;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return ReadFailure::Folder;
    }
    const UniqueFile file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        return ReadFailure::Unreadable;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        return ReadFailure::TooLarge;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t read = 0;
    while (read < bytes.size()) {
        DWORD got = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - read, 1u << 24));
        if (!ReadFile(file.get(), bytes.data() + read, chunk, &got, nullptr) || got == 0) {
            return ReadFailure::Unreadable;  // a network drive gone, a removed stick
        }
        read += got;
    }
    return bytes;
}

std::span<const std::uint8_t> Win32Resources::bytes(int id, std::string_view type) {
    const std::wstring typeName = widen(type);
    HRSRC found = FindResourceExW(nullptr, typeName.c_str(), MAKEINTRESOURCEW(id),
                                  MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    if (found == nullptr) {
        found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), typeName.c_str());
    }
    if (found == nullptr) {
        return {};
    }
    // A module's resources stay mapped for as long as the module is loaded: nothing to free.
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(data), SizeofResource(nullptr, found)};
}

std::string Win32Regional::longTimeText() {
    SYSTEMTIME local{};
    const std::int64_t lateness = lateness_ ? lateness_() : 0;
    if (lateness != 0) {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        const std::uint64_t due = (std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) -
                                  static_cast<std::uint64_t>(lateness) * 10000;  // in 100 ns
        const FILETIME dueTime{static_cast<DWORD>(due), static_cast<DWORD>(due >> 32)};
        SYSTEMTIME universal{};
        FileTimeToSystemTime(&dueTime, &universal);
        SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    }
    // One call with room to spare: a size query first could be outrun by the clock (9:59:59 -> 10:00:00).
    wchar_t text[128];
    const int written = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, lateness != 0 ? &local : nullptr, nullptr, text,
                                        static_cast<int>(std::size(text)));
    return written > 0 ? narrow(std::wstring_view(text, static_cast<std::size_t>(written - 1))) : std::string();
}

TimeOfDay Win32Regional::timeOfDay() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wHour, local.wMinute, local.wSecond, local.wMilliseconds};
}

std::string Win32Regional::decimalSeparator() {
    wchar_t text[16];  // at most four characters and the NUL
    const int written =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, static_cast<int>(std::size(text)));
    return written > 1 ? narrow(std::wstring_view(text, static_cast<std::size_t>(written - 1))) : std::string(".");
}

void Win32Power::keepAwake(bool awake) {
    SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

void Win32Program::end() {
    ExitProcess(0);
}

}  // namespace zantiro::forms::win32
