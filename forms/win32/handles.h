// One move-only owner for the Win32 handles and COM objects the backend creates, and scoped GDI selections and
// paints.
#pragma once

#include <type_traits>
#include <utility>

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// A policy names the handle type, the value that means "none" and how a handle is closed (true when it was).
template <typename H>
struct GdiObjectPolicy {
    using Handle = H;
    static Handle invalid() { return nullptr; }
    static bool close(Handle object) { return DeleteObject(object) != 0; }
};
struct MemoryDcPolicy {  // from CreateCompatibleDC only
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static bool close(Handle dc) { return DeleteDC(dc) != 0; }
};
struct ScreenDcPolicy {  // from GetDC(nullptr) only: a window's DC would need its window to be released
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static bool close(Handle dc) { return ReleaseDC(nullptr, dc) != 0; }
};
struct MenuPolicy {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static bool close(Handle menu) { return DestroyMenu(menu) != 0; }  // submenus it holds go with it
};
struct AcceleratorPolicy {
    using Handle = HACCEL;
    static Handle invalid() { return nullptr; }
    static bool close(Handle table) { return DestroyAcceleratorTable(table) != 0; }
};
struct FilePolicy {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }  // what CreateFileW returns on failure, not null
    static bool close(Handle file) { return CloseHandle(file) != 0; }
};
struct WinEventHookPolicy {
    using Handle = HWINEVENTHOOK;
    static Handle invalid() { return nullptr; }
    static bool close(Handle hook) { return UnhookWinEvent(hook) != 0; }
};
template <typename Interface>
struct ComPolicy {
    using Handle = Interface*;
    static Handle invalid() { return nullptr; }
    static bool close(Handle object) {
        object->Release();
        return true;
    }
};

// Owns one handle and closes it once.
template <typename Policy>
class UniqueHandle {
public:
    using Handle = typename Policy::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Policy::invalid(); }
    Handle operator->() const requires std::is_same_v<Policy, ComPolicy<std::remove_pointer_t<Handle>>> {
        return handle_;
    }
    Handle release() { return std::exchange(handle_, Policy::invalid()); }
    // Keeps the thread's last error: a failure reported after the clean-up still names its own cause.
    void reset(Handle handle = Policy::invalid()) {
        if (*this && handle_ != handle) {
            const DWORD error = GetLastError();
            Policy::close(handle_);
            SetLastError(error);
        }
        handle_ = handle;
    }
    // For calls that hand out a new handle through a pointer; the one held before is closed first.
    Handle* put() {
        reset();
        return &handle_;
    }
    // Closes now, for callers to whom a failed close matters (a file's last write can fail there).
    bool close() { return *this && Policy::close(release()); }

private:
    Handle handle_ = Policy::invalid();
};

using UniqueFont = UniqueHandle<GdiObjectPolicy<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectPolicy<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectPolicy<HRGN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcPolicy>;
using UniqueScreenDc = UniqueHandle<ScreenDcPolicy>;
using UniqueMenu = UniqueHandle<MenuPolicy>;
using UniqueAccelerators = UniqueHandle<AcceleratorPolicy>;
using UniqueFile = UniqueHandle<FilePolicy>;
using UniqueWinEventHook = UniqueHandle<WinEventHookPolicy>;
template <typename Interface>
using ComPtr = UniqueHandle<ComPolicy<Interface>>;

// Selects an object into a DC for one scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;            // not owned
    HGDIOBJ previous_;  // not owned
};

// A window's painting, from BeginPaint to EndPaint, which needs the PAINTSTRUCT BeginPaint filled in.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;  // not owned
    PAINTSTRUCT paint_{};
    HDC dc_;  // not owned: the paint's
};

// A memory DC with one bitmap selected. A bitmap cannot be deleted while selected, so the canvas puts the DC's
// original bitmap back before it lets go of one.
class MemoryCanvas {
public:
    MemoryCanvas() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryCanvas() { select(nullptr); }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    // bitmap: not owned; it must outlive its selection (null: select nothing).
    void select(HBITMAP bitmap) {
        if (original_ != nullptr) {
            SelectObject(dc_.get(), original_);
            original_ = nullptr;
        }
        if (bitmap != nullptr) {
            original_ = SelectObject(dc_.get(), bitmap);
        }
    }

private:
    UniqueMemoryDc dc_;
    HGDIOBJ original_ = nullptr;  // not owned: the DC's stock bitmap
};

}  // namespace zantiro::forms::win32
