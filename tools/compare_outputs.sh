#!/usr/bin/env bash
# Runs the same commands with two builds of Mosaren and compares everything they leave behind,
# byte for byte: every file written, stdout, stderr and the exit status. For a change that must
# not alter any output (a restructuring, a faster engine), run it against a build of the commit
# before the change.
#
#   tools/compare_outputs.sh REFERENCE_BUILD CANDIDATE_BUILD
#
# Both are CMake build folders in which mosaren-cli and the core libraries are built. The
# commands: those of the README; every option of mosaren-cli, alone and together, at BMP depths
# 32, 24 and 16; failures and wrong command lines; and the desktop program's two commands
# (tools/desktop_commands.cpp, built here against each build's core libraries) at display depths
# 32, 24 and 16 with other settings. The textures: docs/examples, files of the shared BMP suite of
# every kind the reader takes (when MOSAREN_CORPUS_DIR or ../shared/bmp-corpus has it), a file
# that is no bitmap, and names with blanks, commas, Cyrillic letters and a byte that is not UTF-8.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 REFERENCE_BUILD CANDIDATE_BUILD" >&2
    exit 2
fi
repo="$(cd "$(dirname "$0")/.." && pwd)"
reference="$(cd "$1" && pwd)"
candidate="$(cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# ----- The two builds -----

source_of() {
    sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$1/CMakeCache.txt"
}

# The desktop program's commands on the build's own core libraries, as its source describes them.
build_desktop_commands() {
    local build="$1" out="$2"
    local libraries=("$build"/src/tiling/*.a "$build"/src/raster/*.a)
    g++ -std=c++20 -O1 -I"$(source_of "$build")/src" "$repo/tools/desktop_commands.cpp" \
        -Wl,--start-group "${libraries[@]}" -Wl,--end-group -o "$out"
}

for build in "$reference" "$candidate"; do
    if [ ! -x "$build/src/cli/mosaren-cli" ]; then
        echo "$build has no src/cli/mosaren-cli: build it first" >&2
        exit 2
    fi
done
mkdir -p "$work/reference" "$work/candidate"
build_desktop_commands "$reference" "$work/reference/desktop_commands"
build_desktop_commands "$candidate" "$work/candidate/desktop_commands"

# ----- The textures -----

inputs="$work/inputs"
mkdir -p "$inputs/My Textures" "$inputs/sub"
cp "$repo"/docs/examples/*.bmp "$inputs/"
cp "$inputs/grass.bmp" "$inputs/My Textures/red, old.bmp"
cp "$inputs/water.bmp" "$inputs/трава.bmp"
cp "$inputs/cobbles.bmp" "$inputs/"$'a\xffb.bmp'
cp "$inputs/grass.bmp" "$inputs/x.dib"
cp "$inputs/water.bmp" "$inputs/y.bitmap"
cp "$inputs/cobbles.bmp" "$inputs/sub/deep.bmp"
head -c 200 /dev/zero | tr '\0' 'x' > "$inputs/junk.bmp"
# 2 × 2 pixels at 24 bits: too small to cut into three pieces across.
printf 'BM\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00\x02\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x20\x30\x40\x50\x60\x00\x00\x70\x80\x90\xa0\xb0\xc0\x00\x00' \
    > "$inputs/tiny.bmp"

corpus="${MOSAREN_CORPUS_DIR:-$repo/../shared/bmp-corpus}"
suite=()
if [ -d "$corpus/g" ]; then
    mkdir -p "$inputs/suite"
    for name in g/pal1.bmp g/pal1bg.bmp g/pal1wb.bmp g/pal4.bmp g/pal4rle.bmp g/pal8.bmp \
        g/pal8rle.bmp g/pal8topdown.bmp g/pal8os2.bmp g/pal8v5.bmp g/pal8nonsquare.bmp \
        g/rgb16.bmp g/rgb16-565.bmp g/rgb16bfdef.bmp g/rgb24.bmp g/rgb24pal.bmp g/rgb32.bmp \
        g/rgb32bf.bmp g/rgb32bfdef.bmp q/rgb16-231.bmp q/rgb32-111110.bmp q/pal8offs.bmp \
        q/rgba16-4444.bmp q/pal4rletrns.bmp b/badrle.bmp b/shortfile.bmp; do
        if [ -f "$corpus/$name" ]; then
            cp "$corpus/$name" "$inputs/suite/${name//\//-}"
            suite+=("suite/${name//\//-}")
        fi
    done
else
    echo "(no BMP suite at $corpus: its textures are left out)"
fi

# ----- Running and comparing -----

cases=0
differences=0
files=0

# Runs one command line in a fresh copy of the textures with each build's program and compares.
compare() {
    local program="$1"
    shift
    cases=$((cases + 1))
    for side in reference candidate; do
        local binary
        if [ "$program" = cli ]; then
            [ "$side" = reference ] && binary="$reference/src/cli/mosaren-cli" ||
                binary="$candidate/src/cli/mosaren-cli"
        else
            binary="$work/$side/desktop_commands"
        fi
        rm -rf "$work/run-$side"
        cp -a "$inputs" "$work/run-$side"
        (cd "$work/run-$side" && set +e && "$binary" "$@" >"$work/$side.out" 2>"$work/$side.err"
         echo $? >"$work/$side.status")
    done
    local same=1
    diff -r "$work/run-reference" "$work/run-candidate" >"$work/diff" 2>&1 || same=0
    for stream in out err status; do
        cmp -s "$work/reference.$stream" "$work/candidate.$stream" || {
            same=0
            echo "  $stream differs: $(head -c 300 "$work/reference.$stream" | tr '\n' '|') / $(head -c 300 "$work/candidate.$stream" | tr '\n' '|')" >>"$work/diff"
        }
    done
    local written
    written=$(cd "$work/run-reference" && find . -type f -newer "$work/inputs/junk.bmp" | wc -l)
    files=$((files + written))
    if [ $same -eq 0 ]; then
        differences=$((differences + 1))
        echo "DIFFERENT: $program $*"
        head -20 "$work/diff"
    fi
}

examples=(grass.bmp water.bmp cobbles.bmp)
# Written after junk.bmp, so that the count of written files can tell them from the inputs.
sleep 1
touch "$inputs/junk.bmp"
sleep 1

# The commands of the README, as given there (with this folder's copies of the textures).
compare cli tile grass.bmp my-grass
compare cli tile cobbles.bmp cobbles --pieces 2x2
compare cli batch grass.bmp water.bmp
compare cli batch --size 64x32 --mask 0,255,0 --depth 24 cobbles.bmp
compare cli batch "${examples[@]}" --sheet terrain.png --margin 2 --spacing 4 --extrude 2 \
    --tsx terrain.tsx --map-preview map-preview.png
compare cli transitions grass.bmp water.bmp shore
compare cli transitions grass.bmp water.bmp shore --sheet shore.png --tsx shore.tsx \
    --godot shore.tres --godot3 shore3.tres --map-preview map.png --edge noise
compare cli --help
compare cli --version

for depth in 32 24 16; do
    d=(--depth "$depth")
    # Tiles, pieces and the batch with each tile option.
    compare cli tile "${d[@]}" grass.bmp out
    compare cli tile "${d[@]}" --pieces 3x2 --size 80x40 --mask 1,2,3 cobbles.bmp out
    compare cli tile "${d[@]}" --pieces 19x19 --size 1x1 water.bmp out
    compare cli batch "${d[@]}" --size 255x255 --mask 255,255,255 "${examples[@]}"
    compare cli batch "${d[@]}" --size 73x36 --mask 0,0,0 "${examples[@]}" "My Textures/red, old.bmp" \
        трава.bmp $'a\xffb.bmp' x.dib y.bitmap sub/deep.bmp
    compare cli batch "${d[@]}" --size 36x72 -q "${examples[@]}"
    if [ ${#suite[@]} -gt 0 ]; then
        compare cli batch "${d[@]}" --keep-going "${suite[@]}"
        compare cli batch "${d[@]}" --keep-going --size 64x32 --sheet s.bmp --tsx s.tsx \
            --map-preview m.png "${suite[@]}"
    fi
    # BMP engine outputs at this depth.
    compare cli batch "${d[@]}" --format bmp --tsx t.tsx --map-preview m.png "${examples[@]}"
    compare cli batch "${d[@]}" --sheet terrain.bmp --columns 2 --margin 1 --spacing 2 --extrude 1 \
        --tsx terrain.tsx --map-preview m.png "${examples[@]}"
    compare cli batch "${d[@]}" --sheet terrain.bmp --mask 10,20,30 --size 64x32 --columns 999 \
        "${examples[@]}"
    compare cli tile "${d[@]}" --pieces 2x3 --sheet s.bmp --margin 3 --spacing 6 --extrude 3 \
        --tsx s.tsx --map-preview m.png cobbles.bmp out
    compare cli tile "${d[@]}" --tsx one.tsx --map-preview m.png --mask 0,128,255 grass.bmp one
    # PNG outputs refuse a depth; with one it is a wrong command line.
    compare cli batch "${d[@]}" --format png "${examples[@]}"
    # Blocks and walls, and their engine outputs.
    compare cli tile "${d[@]}" --block 24 grass.bmp out
    compare cli tile "${d[@]}" --block 255 --size 33x17 --faces left --shade 1,0.5,0 --pieces 2x1 \
        cobbles.bmp out
    compare cli batch "${d[@]}" --block 1 --faces top,right --left-texture water.bmp \
        --right-texture cobbles.bmp --sheet s.bmp --tsx s.tsx --map-preview m.png "${examples[@]}"
    compare cli batch "${d[@]}" --block 8 --right-texture gone.bmp "${examples[@]}"
    # Transition tiles with tile options, blocks and the engine outputs.
    compare cli transitions "${d[@]}" --size 64x32 --mask 1,2,3 grass.bmp cobbles.bmp t \
        --sheet t.bmp --tsx t.tsx --map-preview m.png
    compare cli transitions "${d[@]}" --block 24 --edge dither --seed 9 --tsx t.tsx water.bmp \
        "My Textures/red, old.bmp" t
    compare cli transitions "${d[@]}" --edge noise --size 33x17 --sheet t.bmp --columns 16 \
        трава.bmp $'a\xffb.bmp' t
    # Failures: a batch stopped by a bad texture, one that keeps going, a tile that cannot be cut
    # or written, a texture that is gone, a tileset name XML cannot carry.
    compare cli batch "${d[@]}" grass.bmp junk.bmp water.bmp
    compare cli batch "${d[@]}" --keep-going grass.bmp junk.bmp gone.bmp water.bmp --sheet s.bmp \
        --tsx t.tsx --map-preview m.png
    compare cli batch "${d[@]}" --sheet s.bmp --tsx t.tsx grass.bmp junk.bmp water.bmp
    compare cli tile "${d[@]}" --pieces 3x1 tiny.bmp out
    compare cli tile "${d[@]}" grass.bmp no/such/folder/out
    compare cli tile "${d[@]}" gone.bmp out
    compare cli batch "${d[@]}" --tsx t.tsx $'a\xffb.bmp'
    compare cli batch "${d[@]}" --tsx gone/t.tsx grass.bmp
    compare cli transitions "${d[@]}" grass.bmp junk.bmp t
    compare cli transitions "${d[@]}" --tsx t.tsx grass.bmp $'a\xffb.bmp' t

    # The desktop program's commands.
    compare desk "$depth" 255,0,255 72x36 1x1 tile grass.bmp out
    compare desk "$depth" 1,2,3 80x40 3x2 tile cobbles.bmp out
    compare desk "$depth" 254,254,254 254x254 1x1 tile water.bmp out.bmp
    compare desk "$depth" 255,0,255 72x36 2x2 tile tiny.bmp out
    compare desk "$depth" 255,0,255 72x36 1x1 batch "${examples[@]}" "My Textures/red, old.bmp" \
        трава.bmp x.dib y.bitmap
    compare desk "$depth" 0,0,0 3x9 5x5 batch "${examples[@]}"
    compare desk "$depth" 255,0,255 72x36 1x1 batch grass.bmp junk.bmp water.bmp
    if [ ${#suite[@]} -gt 0 ]; then
        for texture in "${suite[@]}"; do
            compare desk "$depth" 255,0,255 64x32 1x1 batch "$texture"
            compare desk "$depth" 255,0,255 72x36 2x2 tile "$texture" out
        done
    fi
done

# PNG outputs, which take no depth.
compare cli batch --format png --tsx t.tsx --map-preview m.png "${examples[@]}"
compare cli batch --format png --sheet s.png --columns 2 --margin 2 --spacing 4 --extrude 2 \
    --tsx t.tsx "${examples[@]}"
compare cli tile --format png --pieces 2x2 --sheet S.PNG --size 64x32 cobbles.bmp out
compare cli tile --format png --pieces 2x2 --tsx t.tsx --map-preview m.PNG cobbles.bmp out
compare cli batch --format png --block 24 --sheet s.png --tsx t.tsx --map-preview m.png \
    "${examples[@]}"
compare cli batch --keep-going --format png --sheet s.png --map-preview m.png grass.bmp junk.bmp \
    water.bmp
compare cli transitions --format png --edge noise --seed 4294967295 --tsx t.tsx --map-preview m.png \
    grass.bmp water.bmp t
compare cli transitions --format png --variants 3 --edge dither --seed 5 --sheet v.png --tsx v.tsx \
    --godot3 v.tres --map v.tmx,v.tscn --map-preview vm.png grass.bmp water.bmp t
compare cli transitions --variants 2 --seed 8 grass.bmp water.bmp t
compare cli transitions --filter smooth --format png --edge noise --feather 5 --variants 2 \
    --size 64x32 --sheet s.png --map-preview m.png grass.bmp cobbles.bmp t
compare cli transitions --filter smooth --feather 0 --depth 24 grass.bmp water.bmp t
if [ ${#suite[@]} -gt 0 ]; then
    compare cli batch --keep-going --format png --sheet s.png --tsx t.tsx --map-preview m.png \
        "${suite[@]}"
fi

# Wrong command lines.
compare cli
compare cli frob a.bmp
compare cli tile grass.bmp
compare cli batch --bogus grass.bmp
compare cli batch --mask 256,0,0 grass.bmp
compare cli batch --size 0x36 grass.bmp
compare cli batch --pieces 2x2 grass.bmp
compare cli tile --keep-going grass.bmp out
compare cli batch --format gif grass.bmp
compare cli batch --sheet s.png --depth 16 grass.bmp
compare cli tile --sheet s.png grass.bmp out
compare cli batch --format png --sheet s.BMP grass.bmp
compare cli batch --columns 2 grass.bmp
compare cli batch --sheet s.png --extrude 2 --spacing 3 --margin 2 grass.bmp
compare cli batch --size 8x4 --sheet s.png --margin 6 --spacing 2 grass.bmp
compare cli batch --tsx "" grass.bmp
compare cli batch --map-preview map.bmp grass.bmp
compare cli batch --block 0 grass.bmp
compare cli batch --faces left grass.bmp
compare cli batch --block 8 --faces front grass.bmp
compare cli batch --block 8 --shade 1,1.5,1 grass.bmp
compare cli transitions grass.bmp t
compare cli batch --edge noise grass.bmp
compare cli transitions --seed 3 grass.bmp water.bmp t
compare cli transitions --edge wavy grass.bmp water.bmp t

echo "$cases command lines, $files files written by the reference build; $differences differ."
[ $differences -eq 0 ]
