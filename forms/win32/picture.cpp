// The background picture: the decoded bitmap resource copied into a 32 bpp DIB section, and WIC's scaler for other
// DPIs.
#include "forms/win32/picture.h"

#include <wincodec.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "forms/units.h"
#include "forms/win32/com_apartment.h"
#include "forms/win32/dib_section.h"
#include "forms/win32/failures.h"
#include "forms/win32/handles.h"

namespace zantiro::forms::win32 {
namespace {

constexpr UINT kLargestSide = 0x4000;

// COM (either apartment serves WIC) is set up the first time a picture is resampled: at 96 dpi the program never
// needs it.
ComPtr<IWICImagingFactory> imagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    // The version-1 factory: Windows 7 has only that one, and some SDKs map CLSID_WICImagingFactory to version 2.
    if (reportIfFailed(createInProcess(CLSID_WICImagingFactory1, IID_PPV_ARGS(factory.put())))) {
        return {};
    }
    return factory;
}

}  // namespace

// A new top-down 32 bpp DIB section that GDI can blit, its rows as WIC hands them out.
Picture Picture::blank(SIZE size) {
    Picture picture;
    if (size.cx <= 0 || size.cy <= 0 || size.cx > static_cast<LONG>(kLargestSide) ||
        size.cy > static_cast<LONG>(kLargestSide)) {
        return picture;
    }
    void* bits = nullptr;
    UniqueBitmap bitmap = createDibSection(size, &bits);
    if (bitmap && bits != nullptr) {
        picture.bitmap_ = std::make_shared<const UniqueBitmap>(std::move(bitmap));
        picture.pixels_ = bits;
        picture.size_ = size;
    }
    return picture;
}

// The source's 32 bpp BGR pixels in a new DIB section.
Picture Picture::copyOf(IWICBitmapSource* source) {
    UINT width = 0;
    UINT height = 0;
    if (reportIfFailed(source->GetSize(&width, &height)) || width > kLargestSide || height > kLargestSide) {
        return {};
    }
    Picture picture = blank(SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
    const UINT stride = width * 4;
    if (!picture.decoded() ||
        reportIfFailed(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(picture.pixels_)))) {
        return {};
    }
    return picture;
}

// A bitmap resource is a BITMAPINFOHEADER and its rows, bottom-up, each padded to four bytes.
Picture Picture::load(int id) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_BITMAP);
    const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const auto* header = loaded != nullptr ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    const DWORD bytes = found != nullptr ? SizeofResource(nullptr, found) : 0;
    if (header == nullptr || bytes < sizeof(BITMAPINFOHEADER) || header->biBitCount != 24 ||
        header->biCompression != BI_RGB || header->biHeight <= 0) {
        return {};
    }
    Picture picture = blank(SIZE{header->biWidth, header->biHeight});
    const auto width = static_cast<std::size_t>(picture.size_.cx);
    const auto height = static_cast<std::size_t>(picture.size_.cy);
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    if (!picture.decoded() || bytes < header->biSize + stride * height) {
        return {};
    }
    const auto* rows = reinterpret_cast<const std::uint8_t*>(header) + header->biSize;
    auto* pixels = static_cast<std::uint8_t*>(picture.pixels_);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* from = rows + (height - 1 - y) * stride;
        std::uint8_t* to = pixels + y * width * 4;
        for (std::size_t x = 0; x < width; ++x) {  // blue, green, red; the fourth byte unused
            to[x * 4] = from[x * 3];
            to[x * 4 + 1] = from[x * 3 + 1];
            to[x * 4 + 2] = from[x * 3 + 2];
            to[x * 4 + 3] = 0;
        }
    }
    return picture;
}

Picture Picture::scaledTo(SIZE size) const {
    if (!decoded() || size.cx <= 0 || size.cy <= 0 || size.cx > static_cast<LONG>(kLargestSide) ||
        size.cy > static_cast<LONG>(kLargestSide)) {
        return {};
    }
    if (size.cx == size_.cx && size.cy == size_.cy) {
        return *this;
    }
    const ComPtr<IWICImagingFactory> factory = imagingFactory();
    ComPtr<IWICBitmap> source;
    ComPtr<IWICBitmapScaler> scaler;
    const UINT stride = static_cast<UINT>(size_.cx) * 4;
    if (factory.get() == nullptr ||
        reportIfFailed(factory->CreateBitmapFromMemory(
            static_cast<UINT>(size_.cx), static_cast<UINT>(size_.cy), GUID_WICPixelFormat32bppBGR, stride,
            stride * static_cast<UINT>(size_.cy), static_cast<BYTE*>(pixels_), source.put())) ||
        reportIfFailed(factory->CreateBitmapScaler(scaler.put())) ||
        reportIfFailed(scaler->Initialize(source.get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                          WICBitmapInterpolationModeFant))) {
        return {};
    }
    return copyOf(scaler.get());
}

Picture Picture::atDpi(int dpi) const {
    return scaledTo(SIZE{designPixelsAt(size_.cx, dpi), designPixelsAt(size_.cy, dpi)});
}

// Column x and row y of the larger picture are those of the picture folded back and forth at its edges.
Picture Picture::extendedTo(SIZE size) const {
    if (!decoded() || (size.cx <= size_.cx && size.cy <= size_.cy)) {
        return *this;
    }
    const SIZE larger{std::max(size.cx, size_.cx), std::max(size.cy, size_.cy)};
    Picture extended = blank(larger);
    if (!extended.decoded()) {
        return *this;
    }
    const auto folded = [](std::size_t at, std::size_t extent) {
        const std::size_t in = at % (2 * extent);
        return in < extent ? in : 2 * extent - 1 - in;
    };
    const auto fromWidth = static_cast<std::size_t>(size_.cx);
    const auto toWidth = static_cast<std::size_t>(larger.cx);
    for (std::size_t y = 0; y < static_cast<std::size_t>(larger.cy); ++y) {
        const std::uint32_t* row =
            static_cast<const std::uint32_t*>(pixels_) + folded(y, static_cast<std::size_t>(size_.cy)) * fromWidth;
        std::uint32_t* toRow = static_cast<std::uint32_t*>(extended.pixels_) + y * toWidth;
        for (std::size_t x = 0; x < toWidth; ++x) {
            toRow[x] = row[folded(x, fromWidth)];
        }
    }
    return extended;
}

}  // namespace zantiro::forms::win32
