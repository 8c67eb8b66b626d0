// The background picture: a 32 bpp DIB section, from the program's decoded bitmap, resampled by the imaging
// component for other DPIs.
#pragma once

#include <memory>

#include "forms/win32/handles.h"
#include "forms/win32/win32.h"

struct IWICBitmapSource;  // <wincodec.h>, which only picture.cpp needs

namespace zantiro::forms::win32 {

class Picture {
public:
    // The program's picture: a 24 bpp RT_BITMAP resource, stored decoded so that start-up needs neither COM nor
    // the imaging component. Empty when it is missing, and the window paints a plain fill instead.
    static Picture load(int id);
    // The source's pixels (32 bpp BGR) in a new picture; empty when they cannot be copied.
    static Picture copyOf(IWICBitmapSource* source);

    // A copy resampled to `size` by the imaging component's Fant filter (on Windows 7 too, unlike the cubic
    // modes); empty when this one is, or when resampling fails. At its own size a copy sharing the pixels: the
    // imaging component (and COM) is loaded only when a screen of another DPI needs it.
    Picture scaledTo(SIZE size) const;
    // The picture at its size in twips on a screen of `dpi`: the design measures it in pixels at 96 dpi.
    Picture atDpi(int dpi) const;
    // At least `size` in pixels: the columns beyond its right edge mirror the ones before it, and the rows below its
    // bottom edge the ones above, so the sky goes on without a seam and as sharp as the picture. A copy sharing the
    // pixels when it is that large already; this one when a larger one cannot be made.
    Picture extendedTo(SIZE size) const;

    bool decoded() const { return bitmap_ != nullptr; }
    // 32 bpp, top-down; owned by the picture and its copies. Its pixels never change, so copies share them; like
    // any bitmap, it can be selected into one DC at a time.
    HBITMAP bitmap() const { return bitmap_ ? bitmap_->get() : nullptr; }
    SIZE size() const { return size_; }

private:
    static Picture blank(SIZE size);  // pixels not set; empty when the size is out of bounds

    std::shared_ptr<const UniqueBitmap> bitmap_;
    void* pixels_ = nullptr;  // bitmap_'s rows, for resampling
    SIZE size_{0, 0};
};

}  // namespace zantiro::forms::win32
