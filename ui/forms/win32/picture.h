// The background picture: an encoded image decoded once by Windows' imaging component into a DIB section.
#pragma once

#include <cstdint>
#include <span>

#include "ui/forms/win32/handles.h"
#include "ui/forms/win32/win32.h"

struct IWICBitmapSource;  // <wincodec.h>, which only picture.cpp needs

namespace zantiro::forms::win32 {

class Picture {
public:
    // Needs COM initialised on this thread. A picture that does not decode is empty, and the window paints a
    // plain fill instead.
    static Picture decode(std::span<const std::uint8_t> encoded);
    // An RT_RCDATA resource of the program; empty when it is missing.
    static std::span<const std::uint8_t> resource(int id);

    // A copy resampled to `size` by the imaging component's Fant filter (on Windows 7 too, unlike the cubic
    // modes); empty when this one is, or when resampling fails. Needs COM, as decode() does.
    Picture scaledTo(SIZE size) const;
    // The picture at its size in twips on a screen of `dpi`: the design measures it in pixels at 96 dpi.
    Picture atDpi(int dpi) const;

    bool decoded() const { return static_cast<bool>(bitmap_); }
    HBITMAP bitmap() const { return bitmap_.get(); }  // 32 bpp, top-down; stays owned by the picture
    SIZE size() const { return size_; }

private:
    static Picture copyOf(IWICBitmapSource* source);

    UniqueBitmap bitmap_;
    void* pixels_ = nullptr;  // bitmap_'s rows, for resampling
    SIZE size_{0, 0};
};

}  // namespace zantiro::forms::win32
