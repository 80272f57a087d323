#!/bin/sh
# Writes the pictures of the program's windows in docs/ (screenshot-main-window.png,
# screenshot-about-box.png, screenshot-parameters.png) from the program itself under Xvfb.
#   tests/ui/screenshot/take_screenshot.sh BUILD_FOLDER
set -e
build=${1:-build}
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/tests/ui/mosaren_screenshot" "$root/docs" "$work"
