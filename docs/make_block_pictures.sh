#!/usr/bin/env bash
# Makes the README's pictures of blocks with the program itself: a block, a wall and a small map
# of blocks, from the sample textures. The single pictures are enlarged four times, each pixel a
# 4 × 4 square, so that their faces can be seen; the map is shown as the program writes it.
#   docs/make_block_pictures.sh [BUILD_FOLDER]   (default: build; needs python3)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build}/src/cli/mosaren-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp docs/examples/*.bmp "$work/"

# A grass block on cobbled sides; a cobbled wall, its left face alone; a map of blocks.
"$cli" tile -q --format png --block 24 --left-texture "$work/cobbles.bmp" \
    --right-texture "$work/cobbles.bmp" "$work/grass.bmp" "$work/block"
"$cli" tile -q --format png --block 48 --faces left "$work/cobbles.bmp" "$work/wall"
"$cli" batch -q --format png --block 24 --map-preview docs/block-map.png \
    "$work/grass.bmp" "$work/cobbles.bmp" "$work/water.bmp"

enlarge() {
    python3 - "$1" "$2" <<'PY'
# Nearest-pixel enlargement by four of an 8-bit RGBA PNG as libpng writes it: unfilter the rows,
# repeat every pixel and every row, write the rows unfiltered.
import struct, sys, zlib

def chunks(data):
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length

def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c

data = open(sys.argv[1], "rb").read()
idat = b""
for kind, body in chunks(data):
    if kind == b"IHDR":
        width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        assert (depth, colour) == (8, 6), "8-bit RGBA expected"
    elif kind == b"IDAT":
        idat += body
raw, stride, rows, prior = zlib.decompress(idat), 4 * width, [], bytearray(4 * width)
for y in range(height):
    kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = row[i - 4] if i >= 4 else 0
        b, c = prior[i], prior[i - 4] if i >= 4 else 0
        row[i] = (row[i] + (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 255
    rows.append(row)
    prior = row
scale = 4
out = b"".join(b"\0" + b"".join(bytes(r[i:i + 4]) * scale for i in range(0, stride, 4))
               for r in rows for _ in range(scale))
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 6, 0, 0, 0)
open(sys.argv[2], "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                              chunk(b"IDAT", zlib.compress(out, 9)) + chunk(b"IEND", b""))
PY
}
enlarge "$work/block.png" docs/block.png
enlarge "$work/wall.png" docs/wall.png
echo "Wrote docs/block.png, docs/wall.png and docs/block-map.png."
