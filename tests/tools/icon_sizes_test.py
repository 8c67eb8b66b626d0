#!/usr/bin/env python3
"""Each image of resources/zantiro.ico is the stopwatch's shapes drawn at that image's own size (tools/make_icon.py),
not another size scaled: the 32-bit images and the PNG with their alpha, the design's 256-colour image with its mask
keeping what the shapes cover at least half of.

    icon_sizes_test.py REPOSITORY
"""
import struct
import sys

sys.path.insert(0, f"{sys.argv[1]}/tools")
import make_icon  # noqa: E402
from rgb_png import read_png  # noqa: E402


def decoded(size, bits, image):
    """RGBA rows top down: a PNG's own, or a bitmap's (bottom-up BGRA, or palette indices with the mask's alpha)."""
    if image.startswith(b"\x89PNG"):
        return read_png(image)[3]
    xor = 40 + (1024 if bits == 8 else 0)
    line, mask_line = size * bits // 8, (size + 31) // 32 * 4
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        row, mask = xor + y * line, xor + size * line + y * mask_line
        for x in range(size):
            if bits == 32:
                pixels += bytes(image[row + 4 * x + k] for k in (2, 1, 0, 3))
            else:
                shown = not image[mask + x // 8] >> (7 - x % 8) & 1
                pixels += bytes(image[40 + 4 * image[row + x] + k] for k in (2, 1, 0)) + bytes([255 * shown])
    return bytes(pixels)


def expected(size, bits):
    drawn = make_icon.rgba(size)
    if bits == 32:
        return drawn
    return b"".join(drawn[i:i + 3] + b"\xff" if drawn[i + 3] >= 128 else bytes(4) for i in range(0, len(drawn), 4))


ico = open(f"{sys.argv[1]}/resources/zantiro.ico", "rb").read()
found, failed = [], []
for i in range(struct.unpack_from("<H", ico, 4)[0]):
    width, height, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
    size = width or 256
    found.append(size)
    if (width, height) != (size % 256,) * 2 or decoded(size, bits, ico[offset:offset + length]) != expected(size, bits):
        failed.append(f"the {size}x{size} image ({bits} bits) is not the shapes drawn at {size} pixels")
if tuple(found) != make_icon.ICON_SIZES:
    failed.append(f"the icon holds the sizes {found}, not {make_icon.ICON_SIZES}")
print("\n".join(failed) or f"each of the sizes {found} is the shapes drawn at that size")
sys.exit(1 if failed else 0)
