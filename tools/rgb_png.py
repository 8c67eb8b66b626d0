"""The one PNG writer (and its reader) of the bench's plot, the end-to-end tests' saved shots and the icons: 8-bit
RGB or RGBA rows, standard library only (zlib), no time stamps, so the same pixels always give the same file."""
import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
COLOUR_TYPES = {3: 2, 4: 6}  # channels: the PNG colour type (RGB, RGBA)


def png_bytes(width, height, pixels, channels=3):
    """`pixels` (width * height * channels bytes, rows top down) as a PNG file's bytes."""
    line = channels * width
    rows = b"".join(b"\0" + bytes(pixels[line * y:line * (y + 1)]) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, COLOUR_TYPES[channels], 0, 0, 0)
    return SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def write_rgb_png(path, width, height, rgb):
    """Writes `rgb` (width * height * 3 bytes, rows top down) to `path`."""
    with open(path, "wb") as file:
        file.write(png_bytes(width, height, rgb))


def read_png(data):
    """(width, height, channels, pixels) of a PNG as png_bytes writes it: 8-bit RGB or RGBA, rows unfiltered."""
    if not data.startswith(SIGNATURE):
        raise ValueError("not a PNG")
    at, chunks = len(SIGNATURE), {}
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour_type = struct.unpack_from(">IIBB", chunks[b"IHDR"])
    channels = {value: key for key, value in COLOUR_TYPES.items()}[colour_type]
    rows = zlib.decompress(chunks[b"IDAT"])
    line = 1 + channels * width
    if depth != 8 or any(rows[y * line] for y in range(height)):
        raise ValueError("a PNG of another depth or with filtered rows")
    return width, height, channels, b"".join(rows[y * line + 1:(y + 1) * line] for y in range(height))
