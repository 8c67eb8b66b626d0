#!/usr/bin/env python3
"""Renders the timer's background sky with clouds and writes it as resources/background.jpg."""

import math
import os
import sys

sys.dont_write_bytecode = True  # keep tools/ free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import baseline_jpeg  # noqa: E402

WIDTH, HEIGHT = 399, 176
FILE_SIZE = 11616  # fixed so the asset test can pin the embedded file
SEED = 20240521

SKY_TOP = (128, 188, 238)
SKY_BOTTOM = (206, 230, 250)
CLOUD_LIGHT = (255, 255, 255)
CLOUD_SHADE = (214, 226, 241)  # cloud undersides, a little blue-grey

# Cloud bodies as soft ellipses: centre x, centre y, radius x, radius y, weight.
# The big puffs sit right of x=261 and along the bottom, where the digits do not cover them;
# the digits' area only gets thin, faint wisps.
PUFFS = [
    (332, 74, 62, 26, 1.0), (298, 90, 40, 20, 0.9), (368, 86, 46, 22, 0.9), (322, 50, 28, 22, 0.9),
    (356, 44, 26, 20, 0.8), (392, 64, 30, 20, 0.8), (282, 100, 30, 14, 0.7),
    (40, 178, 60, 22, 0.9), (130, 183, 70, 20, 0.8), (220, 181, 60, 20, 0.8), (310, 175, 70, 22, 0.9),
    (395, 166, 50, 24, 0.9),
]
WISPS = [(90, 42, 95, 9, 0.5), (180, 100, 80, 7, 0.4), (40, 120, 60, 6, 0.35)]


def hash01(ix, iy, octave):
    """Deterministic lattice value in [0, 1) from integer coordinates."""
    h = (ix * 374761393 + iy * 668265263 + octave * 2147483647 + SEED * 974634777) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0x1000000)


def smooth(t):
    return t * t * (3.0 - 2.0 * t)


def value_noise(x, y, octave):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = smooth(x - ix), smooth(y - iy)
    a, b = hash01(ix, iy, octave), hash01(ix + 1, iy, octave)
    c, d = hash01(ix, iy + 1, octave), hash01(ix + 1, iy + 1, octave)
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy


def fbm(x, y, base_scale, octaves=4):
    total, amp, norm, scale = 0.0, 1.0, 0.0, base_scale
    for o in range(octaves):
        total += amp * value_noise(x / scale, y / scale, o)
        norm += amp
        amp *= 0.5
        scale *= 0.5
    return total / norm


def blob_field(x, y, blobs):
    total = 0.0
    for cx, cy, rx, ry, w in blobs:
        dx, dy = (x - cx) / rx, (y - cy) / ry
        total += w * math.exp(-(dx * dx + dy * dy) * 1.6)
    return total


def smoothstep(e0, e1, v):
    return smooth(min(1.0, max(0.0, (v - e0) / (e1 - e0))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def puff_density(x, y):
    return blob_field(x, y, PUFFS) + (fbm(x, y, 30.0, 3) - 0.5) * 0.8


def render():
    pixels = []
    for y in range(HEIGHT):
        sky = mix(SKY_TOP, SKY_BOTTOM, smooth(y / (HEIGHT - 1)))
        for x in range(WIDTH):
            d = puff_density(x, y)
            cover = smoothstep(0.35, 0.85, d)
            # Light from above: where density grows downward we are on an underside, so shade it.
            below = puff_density(x, y + 6)
            shade = smoothstep(0.0, 0.35, below - d) * 0.8 + smoothstep(0.9, 1.6, d) * 0.2
            cloud = mix(CLOUD_LIGHT, CLOUD_SHADE, min(1.0, shade))
            colour = mix(sky, cloud, cover * 0.95)

            wisp = blob_field(x, y, WISPS) * fbm(x * 0.5, y * 2.0, 20.0, 3)
            colour = mix(colour, CLOUD_LIGHT, smoothstep(0.05, 0.45, wisp) * 0.45)
            pixels.append(tuple(min(255, max(0, int(round(c)))) for c in colour))
    return pixels


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "background.jpg")

    coefficients = baseline_jpeg.dct_blocks(WIDTH, HEIGHT, render())
    # The best quality whose file still fits; the COM segment takes up the rest.
    for quality in range(100, 9, -1):
        data = baseline_jpeg.encode(WIDTH, HEIGHT, coefficients, quality, comment=b"Zantiro sky", pad_to=FILE_SIZE)
        if data is not None:
            break
    else:
        sys.exit("no quality fits the file size")
    assert len(data) == FILE_SIZE
    with open(out_path, "wb") as f:
        f.write(data)
    print(f"{out_path}: {len(data)} bytes, quality {quality}")


if __name__ == "__main__":
    main()
