#!/usr/bin/env python3
"""Writes the malformed BMP files of this folder: one small file for each kind of hostile or
broken input the reader has to withstand, each named after what is wrong with it. What each must
give is stated in ../bmp_malformed_test.cpp. Run from anywhere: python3 make_malformed.py (the
files are committed). A file found by the fuzzer is added here as the bytes it found."""

import os
import struct

OUT = os.path.dirname(os.path.abspath(__file__))


def file_header(body_size, off_bits=None):
    if off_bits is None:
        off_bits = 14
    return b"BM" + struct.pack("<IHHI", 14 + body_size, 0, 0, off_bits)


def info_file(width, height, bits, compression=0, table=b"", data=b"", size_image=0,
              clr_used=0, header_size=40, masks=b""):
    header = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression,
                         size_image, 0, 0, clr_used, 0)
    body = header + masks + table + data
    return file_header(len(body), 14 + len(header) + len(masks) + len(table)) + body


def core_file(width, height, bits, table=b"", data=b""):
    body = struct.pack("<IHHHH", 12, width, height, 1, bits) + table + data
    return file_header(len(body), 14 + 12 + len(table)) + body


def grey_table(count):
    return b"".join(bytes([i & 0xFF, i & 0xFF, i & 0xFF, 0]) for i in range(count))


def rle8(width, height, data):
    return info_file(width, height, 8, compression=1, table=grey_table(4), clr_used=4,
                     data=bytes(data), size_image=len(data))


def rle4(width, height, data):
    return info_file(width, height, 4, compression=2, table=grey_table(4), clr_used=4,
                     data=bytes(data), size_image=len(data))


def with_header_size(size):
    f = bytearray(info_file(2, 2, 24, data=bytes(16)))
    f[14:18] = struct.pack("<I", size)
    return bytes(f)


GOOD24 = info_file(2, 2, 24, data=bytes(16))
PAL8 = info_file(4, 2, 8, clr_used=16, table=grey_table(16), data=bytes(8))
BITFIELDS16 = info_file(2, 1, 16, compression=3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F),
                        data=bytes(4))

FILES = {
    # Sizes that would ask for far more memory than the image cap allows.
    "dimensions-huge.bmp": info_file(100000, 100000, 24, data=bytes(6)),
    "dimensions-huge-core.bmp": core_file(65535, 65535, 24, data=bytes(6)),
    "dimensions-huge-rle8.bmp": info_file(40000, 40000, 8, compression=1, table=grey_table(4),
                                          clr_used=4, data=bytes([0, 1])),
    "dimensions-huge-rle4.bmp": info_file(0x7FFFFFFF, 1, 4, compression=2, table=grey_table(4),
                                          clr_used=4, data=bytes([0, 1])),
    "width-negative.bmp": info_file(-2, 2, 24, data=bytes(16)),
    "height-most-negative.bmp": info_file(2, -0x80000000, 24, data=bytes(16)),
    "height-most-negative-rle8.bmp": info_file(2, -0x80000000, 8, compression=1,
                                               table=grey_table(4), clr_used=4, data=bytes([0, 1])),

    # Run-length data that tries to write outside the image or ends before it should.
    "rle8-run-past-right-edge.bmp": rle8(4, 2, [10, 1, 0, 0, 4, 2, 0, 1]),
    "rle8-absolute-past-right-edge.bmp": rle8(4, 1, [0, 8, 1, 2, 3, 1, 2, 3, 1, 2, 0, 1]),
    "rle8-delta-past-top.bmp": rle8(4, 2, [0, 2, 1, 5, 3, 1, 0, 1]),
    "rle8-delta-past-right-edge.bmp": rle8(4, 2, [0, 2, 200, 0, 3, 1, 0, 1]),
    "rle8-more-lines-than-rows.bmp": rle8(4, 2, [0, 0] * 5 + [4, 3, 0, 1]),
    "rle8-no-end-code.bmp": rle8(4, 2, [4, 1]),
    "rle8-ends-inside-absolute-run.bmp": rle8(4, 2, [0, 200, 1, 2, 3]),
    "rle8-ends-inside-delta.bmp": rle8(4, 2, [0, 2, 1]),
    "rle8-size-claim-beyond-file.bmp": info_file(4, 2, 8, compression=1, table=grey_table(4),
                                                 clr_used=4, data=bytes([4, 1, 0, 1]),
                                                 size_image=0x7FFFFFFF),
    "rle4-run-past-right-edge.bmp": rle4(3, 2, [9, 0x12, 0, 0, 3, 0x33, 0, 1]),
    "rle4-absolute-past-right-edge.bmp": rle4(3, 1, [0, 7, 0x12, 0x31, 0x23, 0x10, 0, 1]),
    "rle4-ends-inside-absolute-run.bmp": rle4(3, 2, [0, 255, 0x12]),

    # Header sizes that leave standard fields unread, and one no file can hold.
    "header-size-0.bmp": with_header_size(0),
    "header-size-11.bmp": with_header_size(11),
    "header-size-13.bmp": with_header_size(13),
    "header-size-39.bmp": with_header_size(39),
    "header-size-huge.bmp": with_header_size(0xFFFFFFF0),

    # Colour tables larger than the 256 entries the header store holds.
    "table-257-entries.bmp": info_file(4, 2, 8, clr_used=257, data=bytes(8)),
    "table-300-at-24-bits.bmp": info_file(2, 2, 24, clr_used=300, data=bytes(16)),
    "table-hundreds-of-millions.bmp": info_file(4, 2, 8, clr_used=305000000, data=bytes(8)),

    # Files cut short.
    "cut-in-file-header.bmp": GOOD24[:10],
    "cut-in-header-size.bmp": GOOD24[:16],
    "cut-in-info-header.bmp": GOOD24[:40],
    "cut-in-core-header.bmp": core_file(2, 2, 24, data=bytes(16))[:22],
    "cut-in-v5-header.bmp": info_file(2, 2, 24, header_size=124, data=bytes(16))[:14 + 100],
    "cut-in-masks.bmp": BITFIELDS16[:54 + 6],
    "cut-in-colour-table.bmp": PAL8[:54 + 30],
}

for name, data in FILES.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
