// Decodes the background picture with WIC (memory stream, first frame, 32 bpp BGR) into a DIB section, and
// resamples it with WIC's scaler.
#include "ui/forms/win32/picture.h"

#include <wincodec.h>

#include <limits>
#include <utility>

#include "ui/forms/units.h"
#include "ui/forms/win32/handles.h"

namespace zantiro::forms::win32 {
namespace {

// Sets up `converter` to hand out the first frame as 32 bpp BGR pixels; false when any step fails.
bool convertFirstFrame(IWICImagingFactory* factory,
                       std::span<const std::uint8_t> encoded,
                       ComPtr<IWICFormatConverter>& converter) {
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    // WIC only reads from the buffer; its signature is not const.
    auto* bytes = const_cast<BYTE*>(encoded.data());
    return SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(encoded.size()))) &&
           SUCCEEDED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                      decoder.put())) &&
           SUCCEEDED(decoder->GetFrame(0, frame.put())) && SUCCEEDED(factory->CreateFormatConverter(converter.put())) &&
           SUCCEEDED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                           0.0, WICBitmapPaletteTypeCustom));
}

constexpr UINT kLargestSide = 0x4000;

ComPtr<IWICImagingFactory> imagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    // The version-1 factory: Windows 7 has only that one, and some SDKs map CLSID_WICImagingFactory to version 2.
    if (FAILED(
            CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())))) {
        return {};
    }
    return factory;
}

}  // namespace

// The source's 32 bpp BGR pixels, copied into a new top-down DIB section that GDI can blit.
Picture Picture::copyOf(IWICBitmapSource* source) {
    Picture picture;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0 || width > kLargestSide ||
        height > kLargestSide) {
        return picture;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC hands out rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UINT stride = width * 4;
    if (!bitmap || bits == nullptr ||
        FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        return picture;
    }
    picture.bitmap_ = std::move(bitmap);
    picture.pixels_ = bits;
    picture.size_ = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    return picture;
}

Picture Picture::decode(std::span<const std::uint8_t> encoded) {
    if (encoded.empty() || encoded.size() > std::numeric_limits<DWORD>::max()) {
        return {};
    }
    const ComPtr<IWICImagingFactory> factory = imagingFactory();
    ComPtr<IWICFormatConverter> converter;
    if (factory.get() == nullptr || !convertFirstFrame(factory.get(), encoded, converter)) {
        return {};
    }
    return copyOf(converter.get());
}

Picture Picture::scaledTo(SIZE size) const {
    if (!decoded() || size.cx <= 0 || size.cy <= 0 || size.cx > static_cast<LONG>(kLargestSide) ||
        size.cy > static_cast<LONG>(kLargestSide)) {
        return {};
    }
    const ComPtr<IWICImagingFactory> factory = imagingFactory();
    ComPtr<IWICBitmap> source;
    ComPtr<IWICBitmapScaler> scaler;
    const UINT stride = static_cast<UINT>(size_.cx) * 4;
    if (factory.get() == nullptr ||
        FAILED(factory->CreateBitmapFromMemory(
            static_cast<UINT>(size_.cx), static_cast<UINT>(size_.cy), GUID_WICPixelFormat32bppBGR, stride,
            stride * static_cast<UINT>(size_.cy), static_cast<BYTE*>(pixels_), source.put())) ||
        FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(source.get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                  WICBitmapInterpolationModeFant))) {
        return {};
    }
    return copyOf(scaler.get());
}

Picture Picture::atDpi(int dpi) const {
    return scaledTo(SIZE{designPixelsAt(size_.cx, dpi), designPixelsAt(size_.cy, dpi)});
}

std::span<const std::uint8_t> Picture::resource(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(data), SizeofResource(nullptr, found)};
}

}  // namespace zantiro::forms::win32
