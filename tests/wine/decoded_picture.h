// Encoded images (the JPEG the embedded bitmap was made from) decoded by the imaging component, for the tests.
#pragma once

#include <cstdint>
#include <span>

#include "forms/win32/picture.h"

namespace zantiro::wine_tests {

// The first frame as 32 bpp BGR; empty when the bytes do not decode.
forms::win32::Picture decodePicture(std::span<const std::uint8_t> encoded);

}  // namespace zantiro::wine_tests
