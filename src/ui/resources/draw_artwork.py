#!/usr/bin/env python3
"""Draws the program's own pictures: the 48 x 48 icon and the 160 x 50 About logo.

Both show isometric tiles, the 2:1 diamonds the program makes, seen as little blocks: a lit top
face and two shaded sides. Run it from this folder to write mosaren-48.png and about-logo.png;
the PNG files are kept in the repository so that a build needs no Python.
"""

import struct
import zlib

WHITE = (255, 255, 255)


def write_png(path, width, height, pixels):
    """pixels: a list of rows of (r, g, b) tuples, top row first."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit true colour
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def blank(width, height, colour):
    return [[colour for _ in range(width)] for _ in range(height)]


def shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def draw_block(pixels, cx, top, half_width, depth, colour):
    """A tile block: the top diamond (half_width across each way, half of that down) with its
    centre column at cx and its top corner at row top, standing depth pixels high."""
    half_height = half_width // 2
    height = len(pixels)
    width = len(pixels[0])
    for y in range(top, top + 2 * half_height + depth + 1):
        for x in range(cx - half_width, cx + half_width + 1):
            if not (0 <= x < width and 0 <= y < height):
                continue
            dx = abs(x - cx)
            # Distance below the top face's upper outline and above its lower outline.
            upper = top + dx / 2
            lower = top + 2 * half_height - dx / 2
            if upper <= y <= lower:
                # The top face, lit from the upper left, with a thin lighter rim.
                rim = y - upper < 1.0 or lower - y < 1.0
                pixels[y][x] = shade(colour, 1.25 if rim else 1.0)
            elif lower < y <= lower + depth:
                pixels[y][x] = shade(colour, 0.55 if x < cx else 0.75)


def icon():
    pixels = blank(48, 48, WHITE)
    draw_block(pixels, 24, 10, 22, 8, (88, 160, 64))
    # A second, smaller tile on top: a map is tiles upon tiles.
    draw_block(pixels, 24, 4, 10, 4, (214, 176, 96))
    return pixels


def logo():
    pixels = blank(160, 50, WHITE)
    colours = [(64, 128, 200), (88, 160, 64), (214, 176, 96), (88, 160, 64), (64, 128, 200)]
    for i, colour in enumerate(colours):
        cx = 18 + i * 31
        top = 6 if i % 2 == 0 else 16
        draw_block(pixels, cx, top, 16, 6, colour)
    return pixels


if __name__ == "__main__":
    write_png("mosaren-48.png", 48, 48, icon())
    write_png("about-logo.png", 160, 50, logo())
