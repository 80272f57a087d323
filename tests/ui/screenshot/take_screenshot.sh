#!/bin/sh
# Writes docs/screenshot-main-window.png from the program's own main window under Xvfb.
#   tests/ui/screenshot/take_screenshot.sh BUILD_FOLDER
set -e
build=${1:-build}
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/tests/ui/mosaren_screenshot" "$root/docs/screenshot-main-window.png" "$work"
