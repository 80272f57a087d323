#!/usr/bin/env bash
# Makes the README's pictures of blocks with the program itself: a block, a wall and a small map
# of blocks, from the sample textures, and the map preview of the same batch's flat tiles. The single pictures are enlarged four times, each pixel a
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
"$cli" batch -q --out-dir "$work/flat" --map-preview "$PWD/docs/map-preview.png" \
    "$work/cobbles.bmp" "$work/grass.bmp" "$work/water.bmp"

enlarge() { python3 docs/enlarge_png.py "$1" "$2"; }
enlarge "$work/block.png" docs/block.png
enlarge "$work/wall.png" docs/wall.png
echo "Wrote docs/block.png, docs/wall.png, docs/block-map.png and docs/map-preview.png."
