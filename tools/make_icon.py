#!/usr/bin/env python3
"""Draws the stopwatch icon from one set of shapes at every size it is shown, each size drawn at that size.

    make_icon.py [OUT.ico]          resources/zantiro.ico: 16, 20, 24, 32, 40, 48, 64 and 256 pixels
    make_icon.py --hicolor FOLDER   the desktop icons: FOLDER/SIZExSIZE/apps/zantiro.png and scalable/apps/zantiro.svg

The 48-pixel image is the design's: 256 colours and a one-bit mask. The others have 32-bit colour with alpha, the
256-pixel one stored as a PNG, as icon files hold it.
"""

import functools
import math
import os
import struct
import sys

from rgb_png import png_bytes

UNITS = 48  # the shapes are laid out on a 48 x 48 square; other sizes scale the square
SUPERSAMPLE = 4  # samples per pixel along each axis
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
DESIGN_SIZE = 48  # the image with 256 colours
PNG_SIZE = 256  # the image stored as a PNG
HICOLOR_SIZES = (16, 32, 48, 64, 128, 256)

CX, CY = 24.0, 26.5  # the face sits low to leave room for the crown
R_OUTER, R_FACE = 21.0, 17.0

RED = (206, 32, 44)
DARK_RED = (140, 18, 28)
WHITE = (255, 255, 255)
INK = (38, 40, 52)


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


class Disc:
    def __init__(self, cx, cy, r, colour):
        self.cx, self.cy, self.r, self.colour = cx, cy, r, colour

    def contains(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) <= self.r

    def bounds(self):
        return self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r

    def svg(self):
        return f'<circle cx="{self.cx:g}" cy="{self.cy:g}" r="{self.r:g}" fill="{hex_colour(self.colour)}"/>'


class Box:
    def __init__(self, left, top, right, bottom, colour):
        self.left, self.top, self.right, self.bottom, self.colour = left, top, right, bottom, colour

    def contains(self, x, y):
        return self.left <= x <= self.right and self.top <= y <= self.bottom

    def bounds(self):
        return self.left, self.top, self.right, self.bottom

    def svg(self):
        return (f'<rect x="{self.left:g}" y="{self.top:g}" width="{self.right - self.left:g}" '
                f'height="{self.bottom - self.top:g}" fill="{hex_colour(self.colour)}"/>')


class Stroke:
    """A line segment of the given half width with round ends."""

    def __init__(self, ax, ay, bx, by, half_width):
        self.ax, self.ay, self.bx, self.by, self.half_width = ax, ay, bx, by, half_width
        self.colour = INK

    def contains(self, px, py):
        vx, vy = self.bx - self.ax, self.by - self.ay
        t = max(0.0, min(1.0, ((px - self.ax) * vx + (py - self.ay) * vy) / (vx * vx + vy * vy)))
        dx, dy = px - (self.ax + t * vx), py - (self.ay + t * vy)
        return dx * dx + dy * dy <= self.half_width * self.half_width

    def bounds(self):
        w = self.half_width
        return (min(self.ax, self.bx) - w, min(self.ay, self.by) - w,
                max(self.ax, self.bx) + w, max(self.ay, self.by) + w)

    def svg(self):
        return (f'<line x1="{self.ax:g}" y1="{self.ay:g}" x2="{self.bx:g}" y2="{self.by:g}" '
                f'stroke="{hex_colour(self.colour)}" stroke-width="{2 * self.half_width:g}" stroke-linecap="round"/>')


def polar(angle_deg, radius):
    """The point at that distance from the centre; angle 0 points at twelve, clockwise."""
    a = math.radians(angle_deg)
    return CX + radius * math.sin(a), CY - radius * math.cos(a)


def hand(angle_deg, length, half_width):
    return Stroke(CX, CY, *polar(angle_deg, length), half_width)


def tick(hour):
    quarter = hour % 3 == 0
    return Stroke(*polar(hour * 30, 12.0 if quarter else 13.8), *polar(hour * 30, 15.2), 0.9 if quarter else 0.6)


# Painted in this order, each over the ones before it.
SHAPES = [
    Disc(CX, CY, R_OUTER, RED),  # the case
    Disc(CX, CY, R_FACE, WHITE),
    *(tick(hour) for hour in range(12)),
    hand(300, 9.5, 1.3), hand(60, 13.5, 1.0),  # ten past ten: the hands frame the centre
    Disc(CX, CY, 2.2, RED),  # centre cap
    Box(22.5, 4.5, 25.5, 7.0, DARK_RED),  # crown stem
    Box(21.0, 0.5, 27.0, 4.5, DARK_RED),  # crown button
]


def sample(shapes, x, y):
    """Colour at a point of the 48 x 48 square, or None outside the icon's shape: the topmost of `shapes` there."""
    for shape in shapes:
        if shape.contains(x, y):
            return shape.colour
    return None


def shapes_over(left, top, right, bottom):
    """The shapes that may cover part of that area, topmost first (a margin against rounding at the edges)."""
    margin = 1e-9
    return [shape for shape in reversed(SHAPES) for x0, y0, x1, y1 in [shape.bounds()]
            if x0 - margin <= right and left <= x1 + margin and y0 - margin <= bottom and top <= y1 + margin]


def render(size):
    """Per pixel of a size x size image: averaged colour of the covered samples and the covered fraction."""
    pixels = []
    n, scale = SUPERSAMPLE, UNITS / size
    for py in range(size):
        for px in range(size):
            shapes = shapes_over(px * scale, py * scale, (px + 1) * scale, (py + 1) * scale)
            acc, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    c = sample(shapes, (px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale)
                    if c is not None:
                        hits += 1
                        for k in range(3):
                            acc[k] += c[k]
            colour = tuple(int(round(a / hits)) for a in acc) if hits else (0, 0, 0)
            pixels.append((colour, hits / (n * n)))
    return pixels


@functools.cache
def rgba(size):
    """The icon drawn at that size: RGBA rows top down, alpha the covered fraction, black where nothing is."""
    return b"".join(bytes((*colour, round(cover * 255))) for colour, cover in render(size))


def build_palette(colours):
    """Distinct colours, coarsened until they fit in 255 entries (entry 0 stays black for the transparent area)."""
    step = 1
    while True:
        snapped = [tuple(min(255, (c // step) * step + step // 2) for c in col) for col in colours]
        palette = sorted(set(snapped))
        if len(palette) <= 255:
            return snapped, [(0, 0, 0)] + palette
        step *= 2


def and_mask(size, opaque):
    """The one-bit mask, bottom-up rows padded to 32 bits: set where the desktop shows through."""
    stride = (size + 31) // 32 * 4
    rows = []
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque[y * size + x] else 1)
        rows.append((bits << (stride * 8 - size)).to_bytes(stride, "big"))
    return b"".join(rows)


def bitmap_header(size, bits, image_bytes):
    # The icon's BITMAPINFOHEADER counts the XOR and AND bitmaps together, hence twice the height.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def paletted_image(size):
    """The design's image: 256 colours, pixels that are mostly inside kept by the mask."""
    pixels = render(size)
    opaque = [cover >= 0.5 for _, cover in pixels]
    snapped, palette = build_palette([col if op else (0, 0, 0) for (col, _), op in zip(pixels, opaque)])
    index = {col: i for i, col in enumerate(palette)}
    xor_data = b"".join(bytes(index[snapped[y * size + x]] if opaque[y * size + x] else 0 for x in range(size))
                        for y in range(size - 1, -1, -1))  # DIBs are stored bottom-up
    mask = and_mask(size, opaque)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette).ljust(1024, b"\0")
    return bitmap_header(size, 8, len(xor_data) + len(mask)) + pal + xor_data + mask


def alpha_image(size):
    """32-bit BGRA with straight alpha; the mask, for programs that ignore alpha, keeps what is mostly inside."""
    pixels = rgba(size)
    line = 4 * size
    xor_data = b"".join(bytes(pixels[i + k] for i in range(y * line, (y + 1) * line, 4) for k in (2, 1, 0, 3))
                        for y in range(size - 1, -1, -1))
    mask = and_mask(size, [pixels[i + 3] >= 128 for i in range(0, len(pixels), 4)])
    return bitmap_header(size, 32, len(xor_data) + len(mask)) + xor_data + mask


def png_image(size):
    return png_bytes(size, size, rgba(size), channels=4)


def image(size):
    if size == DESIGN_SIZE:
        return paletted_image(size)
    if size == PNG_SIZE:
        return png_image(size)
    return alpha_image(size)


def icon_bytes():
    images = [image(size) for size in ICON_SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in zip(ICON_SIZES, images):
        bits = 8 if size == DESIGN_SIZE else 32
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


def svg_text():
    body = "\n".join("  " + shape.svg() for shape in SHAPES)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{UNITS}" height="{UNITS}" '
            f'viewBox="0 0 {UNITS} {UNITS}">\n{body}\n</svg>\n')


def write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{path}: {len(data)} bytes")


def main(args):
    if len(args) == 2 and args[0] == "--hicolor":
        for size in HICOLOR_SIZES:
            write(f"{args[1]}/{size}x{size}/apps/zantiro.png", png_image(size))
        write(f"{args[1]}/scalable/apps/zantiro.svg", svg_text().encode())
    elif len(args) <= 1 and "--hicolor" not in args:
        root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
        write(args[0] if args else os.path.join(root, "zantiro.ico"), icon_bytes())
    else:
        sys.exit("usage: make_icon.py [OUT.ico] | make_icon.py --hicolor FOLDER")


if __name__ == "__main__":
    main(sys.argv[1:])
