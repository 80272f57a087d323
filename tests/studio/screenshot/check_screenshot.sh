#!/bin/sh
# The Studio's picture for the README, taken under Xvfb as take_screenshot.sh takes it, into a
# folder of its own: it must come, at the window's size, with the preview drawn in it.
#   check_screenshot.sh STUDIO_SCREENSHOT_TOOL EXAMPLES_FOLDER
set -e
tool=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs"
ln -s "$examples" "$work/docs/examples"
# Under the sanitizer build: the D-Bus library that the X platform loads keeps one connection
# buffer until exit, which is not ours to free.
LSAN_OPTIONS="suppressions=$(dirname "$0")/../../lsan_suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1400x900x24" "$tool" "$work/docs" "$work/run"
/usr/bin/python3 - "$work/docs/screenshot-studio.png" <<'PYTHON'
import sys
from PIL import Image
picture = Image.open(sys.argv[1]).convert("RGB")
assert picture.size == (1360, 860), picture.size
# The tile pane (left middle) shows a green block: many colours, some of them green.
pane = picture.crop((290, 80, 960, 300))
colours = pane.getcolors(1 << 20)
assert len(colours) > 50, "the tile pane is nearly blank"
assert any(g > r + 40 and g > b + 40 for _, (r, g, b) in colours), "no grass in the tile pane"
PYTHON
