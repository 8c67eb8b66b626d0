// Helpers for the Win32 backend's tests: hidden windows, message pumps, files by wide path, a fresh temp folder.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/failures.h"
#include "forms/win32/handles.h"
#include "forms/win32/timer_scheduler.h"
#include "forms/win32/win32.h"
#include "forms/window.h"

namespace zantiro::wine_tests {

// A hidden window of the tests' own class. WM_TIMER goes to onTimer; other messages to DefWindowProc.
class TestWindow {
public:
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW,
                        const wchar_t* title = L"Zantiro test",
                        DWORD exStyle = 0,
                        HWND parent = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    forms::WindowHandle handle() const { return reinterpret_cast<forms::WindowHandle>(hwnd_); }

    std::function<void(UINT_PTR id)> onTimer;

private:
    HWND hwnd_;
};

// Passes a timer control's Enabled and Interval changes on to the scheduler, as the main window does.
class TimerObserver final : public forms::ControlObserver {
public:
    explicit TimerObserver(forms::win32::TimerScheduler& scheduler) : scheduler_(scheduler) {}
    void controlChanged(forms::Control& control, forms::Property property) override {
        if (property == forms::Property::Enabled || property == forms::Property::Interval) {
            scheduler_.timerChanged(static_cast<forms::Timer&>(control));
        }
    }

private:
    forms::win32::TimerScheduler& scheduler_;
};

// A 32 bpp surface to paint on and read back.
class Surface {
public:
    Surface(int width, int height);
    HDC dc() const { return canvas_.dc(); }
    COLORREF at(int x, int y) const { return GetPixel(canvas_.dc(), x, y); }
    int count(const RECT& rect, COLORREF colour) const;

private:
    forms::win32::UniqueBitmap bitmap_;
    forms::win32::MemoryCanvas canvas_;
};

// Records the failures the backend reports while it lives, instead of showing them to anyone.
class RecordedFailures {
public:
    RecordedFailures();
    ~RecordedFailures();
    RecordedFailures(const RecordedFailures&) = delete;
    RecordedFailures& operator=(const RecordedFailures&) = delete;

    std::vector<forms::win32::Failure> reports;

private:
    forms::win32::FailureListener previous_;
};

// Dispatches this thread's messages until done() holds or the time is up; returns done().
bool pumpUntil(const std::function<bool()>& done, int timeoutMs);
void pumpFor(int milliseconds);

// Whole file contents by a wide path (any characters), or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> readFile(const std::wstring& path);
bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

// A path from the build (the source tree) as the test sees it: under Wine the Unix root is drive Z:.
std::wstring hostPath(const std::string& buildPath);

// An empty folder under the temp folder, removed with its files at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace zantiro::wine_tests
