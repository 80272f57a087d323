#!/usr/bin/env bash
# Makes the README's PNG example with transparency: an iron grate whose holes are transparent
# (docs/examples/grate.png, drawn here by Pillow), and its tile made by the program, enlarged
# four times, each pixel a 4 × 4 square.
#   docs/make_grate_pictures.sh [BUILD_FOLDER]   (default: build; needs Debian's python3-pil)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build}/src/cli/mosaren-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - docs/examples/grate.png <<'PY'
# Bars 10 pixels wide every 32 pixels, lit from the top-left, with a rivet at each crossing;
# the holes between them transparent, their edges half so.
import sys
from PIL import Image

side, pitch, bar = 128, 32, 10
grate = Image.new("RGBA", (side, side))
for y in range(side):
    for x in range(side):
        u, v = x % pitch, y % pitch
        on_bar = u < bar or v < bar
        edge = u in (bar, pitch - 1) or v in (bar, pitch - 1)
        light = 150 - (u if v >= bar else v) * 6 + ((x * 7 + y * 13) % 11)
        if u < bar and v < bar and (u - 4.5) ** 2 + (v - 4.5) ** 2 < 9:
            light += 60
        grey = max(40, min(255, light))
        alpha = 255 if on_bar else 110 if edge else 0
        grate.putpixel((x, y), (grey, grey - 8, grey - 20, alpha))
grate.save(sys.argv[1])
PY

"$cli" tile -q --format png docs/examples/grate.png "$work/grate-tile"
/usr/bin/python3 - "$work/grate-tile.png" docs/grate-tile.png <<'PY'
import sys
from PIL import Image

with Image.open(sys.argv[1]) as tile:
    tile.resize((tile.width * 4, tile.height * 4), Image.NEAREST).save(sys.argv[2])
PY
