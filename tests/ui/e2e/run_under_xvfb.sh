#!/bin/sh
# Runs the X session driver against the real program on a private Xvfb display.
# Exit 77 (skipped) only when no X server can be had here.
driver=$1
program=$2
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed: no X server can be had"
    exit 77
fi
if ! xvfb-run -a true >/dev/null 2>&1; then
    echo "Xvfb does not start here: no X server can be had"
    exit 77
fi
# Under the sanitizer build: the D-Bus library keeps one connection buffer until exit, which
# is not ours to free.
LSAN_OPTIONS="suppressions=$(dirname "$0")/../../lsan_suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
# The program is to use the X server, whatever platform the caller's environment names.
exec env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    xvfb-run -a -s "-screen 0 1024x768x24" "$driver" "$program"
