#!/usr/bin/env python3
"""Writes the timer's two sounds, resources/ti.wav (warning) and resources/ling.wav (end bell)."""

import math
import os
import struct
import sys

RATE = 22050
PEAK_DBFS = -3.0

# The program embeds these files and the asset test checks them byte for byte, so the lengths are fixed.
TI_FRAMES = 29823
LING_FRAMES = 19443
TI_LIST_PAYLOAD = 40
PRODUCT_TEXT = b"Zantiro"


def raised_cosine(x):
    """0 at x<=0, 1 at x>=1, smooth in between (no slope jump, hence no click)."""
    if x <= 0.0:
        return 0.0
    if x >= 1.0:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * x)


def note_envelope(t, length, attack, release, decay_rate):
    if t < 0.0 or t >= length:
        return 0.0
    return raised_cosine(t / attack) * raised_cosine((length - t) / release) * math.exp(-decay_rate * t)


def render_ti():
    """Two soft tones, low then high, played twice; each tone panned a little to its own side."""
    low, high = 880.0, 1174.66  # A5 and D6: a fourth apart, bright but not shrill
    note_len, attack, release = 0.29, 0.012, 0.045
    starts = [(0.015, low), (0.350, high), (0.685, low), (1.020, high)]
    harmonics = [(1.0, 1.0), (2.0, 0.22), (3.0, 0.07)]  # a little warmth over a pure sine

    left = [0.0] * TI_FRAMES
    right = [0.0] * TI_FRAMES
    for start, freq in starts:
        pan = -0.25 if freq == low else 0.25
        angle = (pan + 1.0) * math.pi / 4.0  # equal-power pan
        gain_l, gain_r = math.cos(angle), math.sin(angle)
        first = int(start * RATE)
        last = min(TI_FRAMES, first + int(note_len * RATE) + 1)
        for n in range(first, last):
            t = n / RATE - start
            env = note_envelope(t, note_len, attack, release, 2.5)
            if env == 0.0:
                continue
            s = sum(a * math.sin(2.0 * math.pi * freq * k * t) for k, a in harmonics) * env
            left[n] += s * gain_l
            right[n] += s * gain_r
    return left, right


def render_ling():
    """An inharmonic bell: partials at bell-like ratios, the higher ones dying away faster."""
    base = 659.26  # E5
    # (frequency ratio, amplitude, decay per second)
    partials = [
        (0.50, 0.35, 2.2),   # hum
        (1.00, 1.00, 3.0),   # prime
        (1.19, 0.55, 3.8),   # minor-third "tierce" gives the bell its colour
        (1.51, 0.30, 5.0),
        (2.00, 0.60, 4.5),   # nominal
        (2.52, 0.22, 9.0),
        (2.66, 0.18, 10.0),
        (3.01, 0.15, 12.0),
        (4.17, 0.08, 16.0),
    ]
    duration = LING_FRAMES / RATE
    attack, release = 0.003, 0.12
    out = [0.0] * LING_FRAMES
    for n in range(LING_FRAMES):
        t = n / RATE
        env = raised_cosine(t / attack) * raised_cosine((duration - t) / release)
        s = 0.0
        for ratio, amp, decay in partials:
            s += amp * math.exp(-decay * t) * math.sin(2.0 * math.pi * base * ratio * t)
        out[n] = s * env
    return out


def to_pcm16(channels):
    """Scales all channels together to the target peak and interleaves them as 16-bit little-endian."""
    peak = max(max(abs(v) for v in ch) for ch in channels)
    scale = (10.0 ** (PEAK_DBFS / 20.0)) * 32767.0 / peak
    frames = zip(*channels)
    data = bytearray()
    for frame in frames:
        for v in frame:
            data += struct.pack("<h", int(round(v * scale)))
    return bytes(data)


def wav_bytes(pcm, channels, trailing_chunks=b""):
    block_align = channels * 2
    fmt = struct.pack("<HHIIHH", 1, channels, RATE, RATE * block_align, block_align, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(pcm)) + pcm
    if len(pcm) % 2:
        body += b"\0"  # RIFF chunks are word aligned
    body += trailing_chunks
    return b"RIFF" + struct.pack("<I", len(body)) + body


def info_list():
    """LIST/INFO with one ISFT entry naming our product, NUL-padded to fill the fixed payload."""
    text_len = TI_LIST_PAYLOAD - 4 - 8
    text = PRODUCT_TEXT.ljust(text_len, b"\0")
    payload = b"INFO" + b"ISFT" + struct.pack("<I", text_len) + text
    assert len(payload) == TI_LIST_PAYLOAD
    return b"LIST" + struct.pack("<I", len(payload)) + payload


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else root

    ti = wav_bytes(to_pcm16(render_ti()), 2, info_list())
    ling = wav_bytes(to_pcm16([render_ling()]), 1)
    assert len(ti) == 119384 and len(ling) == 38930, (len(ti), len(ling))

    for name, data in (("ti.wav", ti), ("ling.wav", ling)):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
