#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on its entries: fixed order, one time stamp, no owner or permissions.

    make_zip.py OUT.zip NAME=FILE...   (time stamp: SOURCE_DATE_EPOCH, read as UTC)

Names are stored in the Chinese Windows code page (GBK) without the UTF-8 flag, which is what the built-in zip
folder of Windows 7 reads on a Chinese system; a Unicode path field (0x7075) beside each gives the UTF-8 name to
tools that read it, on any system.
"""

import os
import struct
import sys
import time
import zlib


def dos_time(epoch):
    t = time.gmtime(max(epoch, 315532800))  # the format starts in 1980
    return (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2), ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday


def unicode_path_field(stored_name, name):
    payload = struct.pack("<BI", 1, zlib.crc32(stored_name)) + name.encode("utf-8")
    return struct.pack("<HH", 0x7075, len(payload)) + payload


def main(out, entries, epoch):
    mod_time, mod_date = dos_time(epoch)
    body, directory = bytearray(), bytearray()
    for name, path in entries:
        with open(path, "rb") as f:
            data = f.read()
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = packer.compress(data) + packer.flush()
        stored = name.encode("gbk")
        extra = b"" if name.isascii() else unicode_path_field(stored, name)
        common = struct.pack("<HHHHHIIIHH", 20, 0, 8, mod_time, mod_date, zlib.crc32(data), len(packed), len(data),
                             len(stored), len(extra))
        offset = len(body)
        body += struct.pack("<I", 0x04034B50) + common + stored + extra + packed
        directory += (struct.pack("<IH", 0x02014B50, 20) + common + struct.pack("<HHHII", 0, 0, 0, 0x20, offset)
                      + stored + extra)
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    with open(out, "wb") as f:
        f.write(body + directory + end)


if __name__ == "__main__":
    if len(sys.argv) < 3 or "SOURCE_DATE_EPOCH" not in os.environ:
        sys.exit("usage: SOURCE_DATE_EPOCH=SECONDS make_zip.py OUT.zip NAME=FILE...")
    main(sys.argv[1], [arg.split("=", 1) for arg in sys.argv[2:]], int(os.environ["SOURCE_DATE_EPOCH"]))
