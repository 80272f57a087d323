#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop finds there: the program,
# a valid launcher entry and the 48 × 48 icon it names.
#   check_installed_entry.sh CMAKE BUILD_FOLDER DESKTOP_FILE_VALIDATE
set -e
cmake=$1
build=$2
validate=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/mosaren"
"$validate" "$prefix/share/applications/mosaren.desktop"
test -f "$prefix/share/icons/hicolor/48x48/apps/mosaren.png"
grep -q '^Icon=mosaren$' "$prefix/share/applications/mosaren.desktop"
echo "installed entry, program and icon are in place"
