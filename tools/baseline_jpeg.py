"""A small baseline JPEG encoder (JFIF, 4:4:4, standard Huffman tables) used by make_picture.py."""

import math
import struct

# Luminance and chrominance quantisation tables from the JPEG standard's informative annex, in natural order.
LUMA_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_QUANT = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
] + [99] * 32

# ZIGZAG[i] is the natural-order index of the i-th coefficient in scan order.
ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]

# Standard Huffman tables: (code counts per length 1..16, symbol values).
DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a3435"
    "363738393a434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a92939495969798"
    "999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4"
    "f5f6f7f8f9fa"))
AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f11718191a262728292a"
    "35363738393a434445464748494a535455565758595a636465666768696a737475767778797a82838485868788898a9293949596"
    "9798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4"
    "f5f6f7f8f9fa"))

for _table in (DC_LUMA, DC_CHROMA, AC_LUMA, AC_CHROMA):
    assert sum(_table[0]) == len(_table[1])

_COS = [[math.cos((2 * x + 1) * u * math.pi / 16.0) for x in range(8)] for u in range(8)]
_C = [1.0 / math.sqrt(2.0)] + [1.0] * 7


def scaled_table(base, quality):
    """Scales a base table the usual way: quality 50 is the table itself, 100 is all ones."""
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in base]


def huffman_codes(table):
    """Canonical codes from counts per length: symbol -> (code, length)."""
    counts, values = table
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, length):
        self.acc = (self.acc << length) | (value & ((1 << length) - 1))
        self.n += length
        while self.n >= 8:
            self.n -= 8
            byte = (self.acc >> self.n) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)  # stuffed so the decoder does not read a marker
        self.acc &= (1 << self.n) - 1

    def flush(self):
        if self.n:
            self.put(0x7F, 8 - self.n)  # pad with one-bits


def fdct(block):
    """8x8 forward DCT of level-shifted samples (row-major list of 64), separable."""
    tmp = [0.0] * 64
    for y in range(8):
        row = block[y * 8:y * 8 + 8]
        for u in range(8):
            cu = _COS[u]
            tmp[y * 8 + u] = sum(row[x] * cu[x] for x in range(8))
    out = [0.0] * 64
    for u in range(8):
        col = [tmp[y * 8 + u] for y in range(8)]
        for v in range(8):
            cv = _COS[v]
            out[v * 8 + u] = 0.25 * _C[u] * _C[v] * sum(col[y] * cv[y] for y in range(8))
    return out


def magnitude(value):
    """JPEG's (size category, extra bits) for a coefficient."""
    if value == 0:
        return 0, 0
    size = abs(value).bit_length()
    bits = value if value > 0 else value + (1 << size) - 1
    return size, bits


def to_planes(width, height, rgb):
    """YCbCr planes (JFIF full range), edge-replicated to multiples of 8."""
    pw, ph = (width + 7) // 8 * 8, (height + 7) // 8 * 8
    planes = [[0.0] * (pw * ph) for _ in range(3)]
    for y in range(ph):
        sy = min(y, height - 1)
        for x in range(pw):
            r, g, b = rgb[sy * width + min(x, width - 1)]
            i = y * pw + x
            planes[0][i] = 0.299 * r + 0.587 * g + 0.114 * b - 128.0
            planes[1][i] = -0.168736 * r - 0.331264 * g + 0.5 * b
            planes[2][i] = 0.5 * r - 0.418688 * g - 0.081312 * b
    return pw, ph, planes


def dct_blocks(width, height, rgb):
    """DCT coefficients for every block of every component, in MCU order (interleaved 4:4:4)."""
    pw, ph, planes = to_planes(width, height, rgb)
    blocks = []
    for by in range(0, ph, 8):
        for bx in range(0, pw, 8):
            for plane in planes:
                block = [plane[(by + y) * pw + bx + x] for y in range(8) for x in range(8)]
                blocks.append(fdct(block))
    return blocks


def segment(marker, payload):
    return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload


def encode(width, height, coefficients, quality, density=96, comment=b"", pad_to=None):
    """Builds the file from precomputed DCT coefficients; pad_to grows the COM segment to an exact size."""
    quants = [scaled_table(LUMA_QUANT, quality), scaled_table(CHROMA_QUANT, quality)]
    dc_codes = [huffman_codes(DC_LUMA), huffman_codes(DC_CHROMA)]
    ac_codes = [huffman_codes(AC_LUMA), huffman_codes(AC_CHROMA)]

    bits = BitWriter()
    previous_dc = [0, 0, 0]
    for i, coef in enumerate(coefficients):
        comp = i % 3
        table = 0 if comp == 0 else 1
        q = quants[table]
        zz = [int(round(coef[ZIGZAG[k]] / q[ZIGZAG[k]])) for k in range(64)]
        size, extra = magnitude(zz[0] - previous_dc[comp])
        previous_dc[comp] = zz[0]
        code, length = dc_codes[table][size]
        bits.put(code, length)
        bits.put(extra, size)
        run = 0
        for k in range(1, 64):
            if zz[k] == 0:
                run += 1
                continue
            while run > 15:
                bits.put(*ac_codes[table][0xF0])  # ZRL: sixteen zeros
                run -= 16
            size, extra = magnitude(zz[k])
            bits.put(*ac_codes[table][(run << 4) | size])
            bits.put(extra, size)
            run = 0
        if run:
            bits.put(*ac_codes[table][0x00])  # EOB
    bits.flush()

    app0 = b"JFIF\0" + struct.pack(">BBBHHBB", 1, 1, 1, density, density, 0, 0)
    dqt = b"".join(bytes([t]) + bytes(quants[t][ZIGZAG[k]] for k in range(64)) for t in range(2))
    sof0 = struct.pack(">BHHB", 8, height, width, 3) + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1])
    dht = b""
    for cls_id, table in ((0x00, DC_LUMA), (0x10, AC_LUMA), (0x01, DC_CHROMA), (0x11, AC_CHROMA)):
        dht += bytes([cls_id]) + bytes(table[0]) + bytes(table[1])
    sos = bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])
    tail = segment(0xDB, dqt) + segment(0xC0, sof0) + segment(0xC4, dht) + segment(0xDA, sos)
    tail += bytes(bits.out) + b"\xff\xd9"
    head = b"\xff\xd8" + segment(0xE0, app0)

    if pad_to is not None:
        room = pad_to - len(head) - len(tail) - 4
        if room < len(comment) or room > 65533:
            return None
        comment = comment.ljust(room, b" ")
    com = segment(0xFE, comment) if comment or pad_to is not None else b""
    return head + com + tail
