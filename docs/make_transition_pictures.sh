#!/usr/bin/env bash
# Makes the README's pictures of transition tiles with the program itself: the 16 tiles between
# the sample grass and water, enlarged twice (each pixel a 2 × 2 square), and the map preview of
# them with each of the three borders, as the program writes it, and the map of them raised into
# blocks, whose side faces show the terrain of the lid's edge above them.
#   docs/make_transition_pictures.sh [BUILD_FOLDER]   (default: build; needs python3)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build}/src/cli/mosaren-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp docs/examples/grass.bmp docs/examples/water.bmp "$work/"

"$cli" transitions -q "$work/grass.bmp" "$work/water.bmp" "$work/shore" \
    --sheet "$work/shore.png" --margin 4 --spacing 8
python3 docs/enlarge_png.py "$work/shore.png" docs/transition-tiles.png 2
for edge in straight noise dither; do
    "$cli" transitions -q "$work/grass.bmp" "$work/water.bmp" "$work/shore" --edge "$edge" \
        --format png --map-preview "docs/transition-map-$edge.png"
done
"$cli" transitions -q "$work/grass.bmp" "$work/water.bmp" "$work/shore" --edge noise \
    --block 24 --format png --map-preview docs/transition-block-map.png
echo "Wrote docs/transition-tiles.png, docs/transition-map-{straight,noise,dither}.png and"
echo "docs/transition-block-map.png."
