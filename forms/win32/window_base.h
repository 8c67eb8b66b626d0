// A top-level window class on a CRTP base: the window procedure forwards to Derived::handleMessage.
#pragma once

#include "forms/win32/failures.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Derived provides `LRESULT handleMessage(UINT, WPARAM, LPARAM)` (it may be private with WindowBase a friend).
template <typename Derived>
class WindowBase {
public:
    HWND hwnd() const { return hwnd_; }

    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

protected:
    WindowBase() = default;
    ~WindowBase() { destroy(); }

    // Registers the class once per process; the procedure and instance are filled in here.
    static bool registerClass(WNDCLASSEXW windowClass) {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &WindowBase::windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    bool createWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, RECT rect) {
        CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                        static_cast<Derived*>(this));
        return hwnd_ != nullptr;
    }

    // Unbinds first: the messages of our own teardown (WM_DESTROY) are not the user closing the window.
    void destroy() {
        if (hwnd_ != nullptr) {
            const HWND hwnd = hwnd_;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            DestroyWindow(hwnd);
        }
    }

private:
    // Binds `this` at WM_NCCREATE (the first message that carries it) and keeps exceptions out of user32.
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return exceptionBarrier(LRESULT{0}, [&] { return self->handleMessage(message, wParam, lParam); });
    }

    HWND hwnd_ = nullptr;  // owned: destroyed with the object
};

}  // namespace zantiro::forms::win32
