#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: one small BMP file for each header form and encoding the
reader knows, so that fuzzing starts from every path instead of finding the formats itself.
Run from this folder: python3 make_seeds.py (the files in seeds/ are committed)."""

import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")


def stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def table(count, entry=4):
    out = b""
    for i in range(count):
        v = (i * 37) & 0xFF
        out += bytes([v, 255 - v, i & 0xFF]) + (b"\0" if entry == 4 else b"")
    return out


def pixels(width, height, bits):
    s = stride(width, bits)
    return bytes(((x * 7 + y * 13) & 0xFF) for y in range(height) for x in range(s))


def info_file(width, height, bits, compression=0, colours=None, data=None, header_size=40,
              masks=None, clr_used=0, size_image=0, gap=b""):
    if colours is None:
        colours = (1 << bits) if bits <= 8 else 0
    header = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression,
                         size_image, 2835, 2835, clr_used, 0)
    extra = b""
    if masks is not None and header_size == 40:
        extra = struct.pack("<III", *masks)
    elif header_size > 40:
        tail = bytearray(header_size - 40)
        if masks is not None:
            tail[0:12] = struct.pack("<III", *masks)
        header += bytes(tail)
    if data is None:
        data = pixels(width, abs(height), bits)
    body = header + extra + table(colours) + gap
    off = 14 + len(body)
    return b"BM" + struct.pack("<IHHI", 14 + len(body) + len(data), 0, 0, off) + body + data


def core_file(width, height, bits):
    colours = (1 << bits) if bits <= 8 else 0
    header = struct.pack("<IHHHH", 12, width, height, 1, bits)
    data = pixels(width, height, bits)
    body = header + table(colours, 3)
    return b"BM" + struct.pack("<IHHI", 14 + len(body) + len(data), 0, 0, 14 + len(body)) + body + data


# 8 × 3 RLE data with encoded runs, an odd absolute run with padding, a delta, end of line and
# end of bitmap.
RLE8 = bytes([3, 1, 0, 3, 4, 5, 6, 0, 2, 9, 0, 0,
              0, 2, 1, 1, 4, 7, 0, 0,
              8, 3, 0, 1])
RLE4 = bytes([3, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0,
              0, 2, 1, 1, 4, 0x89, 0, 0,
              8, 0xAB, 0, 1])

SEEDS = {
    "pal1.bmp": info_file(9, 3, 1),
    "pal4.bmp": info_file(9, 3, 4, colours=12, clr_used=12),
    "pal8.bmp": info_file(9, 3, 8),
    "pal8-topdown.bmp": info_file(9, -3, 8),
    "pal8-gap.bmp": info_file(9, 3, 8, gap=bytes(10)),
    "pal8-core.bmp": core_file(9, 3, 8),
    "pal8-v5.bmp": info_file(9, 3, 8, header_size=124),
    "rgb555.bmp": info_file(5, 3, 16),
    "rgb565.bmp": info_file(5, 3, 16, compression=3, masks=(0xF800, 0x07E0, 0x001F)),
    "rgb16-odd-masks.bmp": info_file(5, 3, 16, compression=3, masks=(0x0003, 0x001C, 0x0020)),
    "rgb24.bmp": info_file(5, 3, 24),
    "rgb24-short.bmp": info_file(5, 3, 24)[:70],
    "rgb24-table.bmp": info_file(5, 3, 24, colours=5, clr_used=5),
    "rgb32.bmp": info_file(5, 3, 32),
    "rgb32-bf.bmp": info_file(5, 3, 32, compression=3, masks=(0xFF000000, 0x00FF0000, 0x0000FF00)),
    "rgb32-h52.bmp": info_file(5, 3, 32, compression=3, header_size=52,
                               masks=(0x3FF00000, 0x000FFC00, 0x000003FF)),
    "rle8.bmp": info_file(8, 3, 8, compression=1, data=RLE8, size_image=len(RLE8)),
    "rle4.bmp": info_file(8, 3, 4, compression=2, data=RLE4, size_image=len(RLE4)),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
