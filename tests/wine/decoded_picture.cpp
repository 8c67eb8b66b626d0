// WIC from a memory stream: the first frame, converted to 32 bpp BGR, copied into a picture.
#include "tests/wine/decoded_picture.h"

#include <wincodec.h>

#include <limits>

#include "forms/win32/handles.h"

namespace zantiro::wine_tests {

using forms::win32::ComPtr;
using forms::win32::Picture;

Picture decodePicture(std::span<const std::uint8_t> encoded) {
    if (encoded.empty() || encoded.size() > std::numeric_limits<DWORD>::max()) {
        return {};
    }
    // S_FALSE or RPC_E_CHANGED_MODE: COM is set up on this thread already, as the picture's resampling left it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    auto* bytes = const_cast<BYTE*>(encoded.data());  // WIC only reads from it; its signature is not const
    const bool converted =
        SUCCEEDED(
            CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()))) &&
        SUCCEEDED(factory->CreateStream(stream.put())) &&
        SUCCEEDED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(encoded.size()))) &&
        SUCCEEDED(
            factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) &&
        SUCCEEDED(decoder->GetFrame(0, frame.put())) && SUCCEEDED(factory->CreateFormatConverter(converter.put())) &&
        SUCCEEDED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom));
    return converted ? Picture::copyOf(converter.get()) : Picture{};
}

}  // namespace zantiro::wine_tests
