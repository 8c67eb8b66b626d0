// Decodes the background picture with WIC: memory stream, first frame, 32 bpp BGR, copied into a DIB section.
#include "ui/forms/win32/picture.h"

#include <wincodec.h>

#include <limits>

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

}  // namespace

Picture Picture::decode(std::span<const std::uint8_t> encoded) {
    Picture picture;
    if (encoded.empty() || encoded.size() > std::numeric_limits<DWORD>::max()) {
        return picture;
    }
    ComPtr<IWICImagingFactory> factory;
    // The version-1 factory: Windows 7 has only that one, and some SDKs map CLSID_WICImagingFactory to version 2.
    if (FAILED(
            CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())))) {
        return picture;
    }
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (!convertFirstFrame(factory.get(), encoded, converter) || FAILED(converter->GetSize(&width, &height)) ||
        width == 0 || height == 0 || width > 0x4000 || height > 0x4000) {
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
        FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        return picture;
    }
    picture.bitmap_ = std::move(bitmap);
    picture.size_ = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    return picture;
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
