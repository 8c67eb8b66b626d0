#!/usr/bin/env python3
"""Draws the stopwatch icon and writes it as resources/zantiro.ico (one 48x48 image, 256 colours)."""

import math
import os
import struct
import sys

SIZE = 48
SUPERSAMPLE = 4
FILE_SIZE = 3774  # fixed so the asset test can pin the embedded file

CX, CY = 24.0, 26.5  # the face sits low to leave room for the crown
R_OUTER, R_FACE = 21.0, 17.0

RED = (206, 32, 44)
DARK_RED = (140, 18, 28)
WHITE = (255, 255, 255)
INK = (38, 40, 52)


def in_capsule(px, py, ax, ay, bx, by, half_width):
    """Inside a line segment of the given half width with round ends."""
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    dx, dy = px - (ax + t * vx), py - (ay + t * vy)
    return dx * dx + dy * dy <= half_width * half_width


def hand(angle_deg, length, half_width):
    """Hand from the centre; angle 0 points at twelve, clockwise."""
    a = math.radians(angle_deg)
    return (CX, CY, CX + length * math.sin(a), CY - length * math.cos(a), half_width)


HANDS = [hand(300, 9.5, 1.3), hand(60, 13.5, 1.0)]  # ten past ten: the hands frame the centre
TICKS = []
for _i in range(12):
    _a = math.radians(_i * 30)
    _inner = 12.0 if _i % 3 == 0 else 13.8
    TICKS.append((CX + _inner * math.sin(_a), CY - _inner * math.cos(_a),
                  CX + 15.2 * math.sin(_a), CY - 15.2 * math.cos(_a), 0.9 if _i % 3 == 0 else 0.6))


def sample(x, y):
    """Colour at a point, or None outside the icon's shape."""
    dx, dy = x - CX, y - CY
    r = math.hypot(dx, dy)
    if 21.0 <= x <= 27.0 and 0.5 <= y <= 4.5:
        return DARK_RED  # crown button
    if 22.5 <= x <= 25.5 and 4.5 <= y <= 7.0:
        return DARK_RED  # crown stem
    if r > R_OUTER:
        return None
    if r > R_FACE:
        return RED
    if r <= 2.2:
        return RED  # centre cap
    for seg in HANDS + TICKS:
        if in_capsule(x, y, *seg):
            return INK
    return WHITE


def render():
    """Per pixel: averaged colour of the covered samples and the covered fraction."""
    pixels = []
    n = SUPERSAMPLE
    for py in range(SIZE):
        for px in range(SIZE):
            acc, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    c = sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if c is not None:
                        hits += 1
                        for k in range(3):
                            acc[k] += c[k]
            colour = tuple(int(round(a / hits)) for a in acc) if hits else (0, 0, 0)
            pixels.append((colour, hits / (n * n)))
    return pixels


def build_palette(colours):
    """Distinct colours, coarsened until they fit in 255 entries (entry 0 stays black for the transparent area)."""
    step = 1
    while True:
        snapped = [tuple(min(255, (c // step) * step + step // 2) for c in col) for col in colours]
        palette = sorted(set(snapped))
        if len(palette) <= 255:
            return snapped, [(0, 0, 0)] + palette
        step *= 2


def icon_bytes():
    pixels = render()
    opaque = [cover >= 0.5 for _, cover in pixels]  # the AND mask is one bit: keep pixels that are mostly inside
    snapped, palette = build_palette([col if op else (0, 0, 0) for (col, _), op in zip(pixels, opaque)])
    index = {col: i for i, col in enumerate(palette)}

    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # DIBs are stored bottom-up
        row = bytes(index[snapped[y * SIZE + x]] if opaque[y * SIZE + x] else 0 for x in range(SIZE))
        xor_rows.append(row)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (0 if opaque[y * SIZE + x] else 1)
        and_rows.append(bits.to_bytes(SIZE // 8, "big").ljust(8, b"\0"))  # rows padded to 32 bits
    xor_data, and_data = b"".join(xor_rows), b"".join(and_rows)

    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette).ljust(1024, b"\0")
    # The icon's BITMAPINFOHEADER counts the XOR and AND bitmaps together, hence twice the height.
    bih = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(xor_data) + len(and_data), 0, 0, 0, 0)
    image = bih + pal + xor_data + and_data
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return header + entry + image


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "zantiro.ico")
    data = icon_bytes()
    assert len(data) == FILE_SIZE, len(data)
    with open(out_path, "wb") as f:
        f.write(data)
    print(f"{out_path}: {len(data)} bytes")


if __name__ == "__main__":
    main()
