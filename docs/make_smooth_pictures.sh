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

# A second photographic texture for the transitions: pebbles, round stones of several greys
# with soft shading and a fine grain, drawn here by Pillow (docs/examples/pebbles.png).
/usr/bin/python3 - docs/examples/pebbles.png <<'PY'
import math, random, sys
from PIL import Image

side = 256
rng = random.Random(5)
stones = [(rng.randrange(side), rng.randrange(side), rng.uniform(9, 22),
           rng.randrange(110, 200)) for _ in range(140)]
pebbles = Image.new("RGB", (side, side))
for y in range(side):
    for x in range(side):
        level, lit = 70.0, 0.0
        for sx, sy, radius, grey in stones:
            # The texture repeats: a stone near an edge shows again at the opposite one.
            dx = (x - sx + side // 2) % side - side // 2
            dy = (y - sy + side // 2) % side - side // 2
            d = math.hypot(dx, dy) / radius
            if d < 1.0:
                level, lit = grey, 1.0 - d * d - 0.4 * (dx + dy) / radius
        grain = rng.uniform(-10, 10)
        value = level * (0.8 + 0.25 * lit) + grain
        pebbles.putpixel((x, y), tuple(max(0, min(255, int(value * c))) for c in (1.0, 0.96, 0.9)))
pebbles.save(sys.argv[1], optimize=True)
PY

# The planks raised into a cube, and maps of the transition tiles and blocks between planks and
# pebbles, with each filter (the smooth ones with a soft border of 3 pixels).
for filter in nearest smooth; do
    "$cli" tile -q --format png --size 64x32 --block cube --filter "$filter" \
        docs/examples/planks.png "$work/block-$filter"
    /usr/bin/python3 docs/enlarge_png.py "$work/block-$filter.png" "docs/planks-block-$filter.png"
    feather=()
    [ "$filter" = smooth ] && feather=(--feather 3)
    "$cli" transitions -q --format png --size 64x32 --edge noise --seed 3 --filter "$filter" \
        "${feather[@]}" docs/examples/planks.png docs/examples/pebbles.png "$work/shore-$filter" \
        --map-preview "docs/planks-pebbles-map-$filter.png"
    "$cli" transitions -q --format png --size 64x32 --edge noise --seed 3 --filter "$filter" \
        "${feather[@]}" --block 16 docs/examples/planks.png docs/examples/pebbles.png \
        "$work/blocks-$filter" --map-preview "docs/planks-pebbles-block-map-$filter.png"
done
