#!/usr/bin/env bash
# Makes the README's smooth-tile example: a 512 x 512 texture of fine detail (planks with thin
# grain lines and a ring pattern, drawn here by Pillow, docs/examples/planks.png) and its tile
# made by the program with each filter, enlarged four times, each pixel a 4 x 4 square.
#   docs/make_smooth_pictures.sh [BUILD_FOLDER]   (default: build; needs Debian's python3-pil)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build}/src/cli/mosaren-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - docs/examples/planks.png <<'PY'
# Planks 64 pixels wide, each of its own hue, with grain lines 2 to 3 pixels apart and rings
# around a knot: detail far finer than a tile pixel, which nearest sampling turns into noise.
import math, sys
from PIL import Image

side = 512
planks = Image.new("RGB", (side, side))
for y in range(side):
    for x in range(side):
        plank = x // 64
        knot_x, knot_y = plank * 64 + 32, (plank * 197) % side
        ring = math.hypot((x - knot_x) * 1.5, y - knot_y)
        grain = math.sin((x + 3 * math.sin(y / 23.0 + plank)) * 2.4 + ring * 0.15)
        light = 0.75 + 0.25 * grain - (0.35 if x % 64 == 0 else 0.0)
        base = (150 + 12 * (plank % 3), 98 + 8 * (plank % 2), 52)
        planks.putpixel((x, y), tuple(max(0, min(255, int(c * light))) for c in base))
planks.save(sys.argv[1], optimize=True)
PY

for filter in nearest smooth; do
    "$cli" tile -q --format png --filter "$filter" docs/examples/planks.png "$work/$filter"
    /usr/bin/python3 docs/enlarge_png.py "$work/$filter.png" "docs/planks-tile-$filter.png"
done
