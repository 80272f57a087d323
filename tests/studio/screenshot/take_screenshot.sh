#!/bin/sh
# Writes the picture of Mosaren Studio in docs/ (screenshot-studio.png) from the Studio itself
# under Xvfb.
#   tests/studio/screenshot/take_screenshot.sh BUILD_FOLDER
set -e
build=${1:-build}
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1400x900x24" \
    "$build/tests/studio/studio_screenshot" "$root/docs" "$work"
