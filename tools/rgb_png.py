"""The one PNG writer of the bench's plot and the end-to-end tests' saved shots: 8-bit RGB rows, standard library
only (zlib), no time stamps, so the same pixels always give the same file."""
import struct
import zlib


def write_rgb_png(path, width, height, rgb):
    """Writes `rgb` (width * height * 3 bytes, rows top down) to `path`."""
    line = 3 * width
    rows = b"".join(b"\0" + bytes(rgb[line * y:line * (y + 1)]) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)))
        file.write(chunk(b"IEND", b""))
