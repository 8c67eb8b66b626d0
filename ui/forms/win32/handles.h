// Move-only owners for the Win32 handles the backend creates, and scoped GDI selections.
#pragma once

#include <utility>

#include "ui/forms/win32/win32.h"

namespace zantiro::forms::win32 {

struct GdiObjectCloser {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcCloser {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct MenuCloser {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct AcceleratorCloser {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};

// Owns one handle and closes it once; null means "none".
template <typename Handle, typename Closer>
class UniqueHandle {
public:
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
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr && handle_ != handle) {
            Closer{}(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectCloser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectCloser>;
using UniquePen = UniqueHandle<HPEN, GdiObjectCloser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectCloser>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectCloser>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcCloser>;  // from CreateCompatibleDC only
using UniqueMenu = UniqueHandle<HMENU, MenuCloser>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorCloser>;

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
