#!/usr/bin/env bash
# Makes the README's pictures of transition tiles with the program itself: the 16 tiles between
# the sample grass and water, enlarged twice (each pixel a 2 × 2 square), and the map preview of
# them with each of the three borders, as the program writes it.
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
echo "Wrote docs/transition-tiles.png and docs/transition-map-{straight,noise,dither}.png."
