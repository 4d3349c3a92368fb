#!/bin/sh
# Runs the Wine tests of a win64 build directory:
#   tools/run-wine-tests.sh <win64 build dir> [more ctest options, e.g. -R launcher]
# Lays out the fake CD, copies the template prefix, then runs every test
# labelled "wine" inside ONE Xvfb display with ONE persistent wineserver
# started in that display (a server started without a display makes later
# GUI programs hang), and returns ctest's status.  Tests labelled "palette"
# run afterwards in an 8-bit display of their own.
set -e

here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
build=$(cd "$1" && pwd)
shift

python3 "$here/cd-tree.py" --mode test --programs "$build/programs.txt" --out "$build/testcd"
rm -rf "$build/floppy" && mkdir -p "$build/floppy"
sh "$here/wine-prefix.sh" "$build"

testwindow=$(sed -n "s/^testwindow=//p" "$build/programs.txt")
export WINEDEBUG=-all TOP="$top" BUILD="$build" TESTWINDOW="$testwindow"

# run_in_display <depth> <prefix copy> <test preset> <more ctest options...>
# The test presets say which tests each display runs; --test-dir keeps them
# on the build folder given, which need not be the preset's own.
run_in_display() {
    depth=$1 prefix=$2
    shift 2
    rm -rf "$prefix"
    cp -a "$build/wine-template" "$prefix"
    WINEPREFIX="$prefix" QL_SCREEN_DEPTH=$depth xvfb-run -a -s "-screen 0 1024x768x$depth" sh -c '
        wineserver -p
        # Start the services and the desktop now, away from ctest: whatever a
        # test starts first would otherwise keep its output pipes open for good.
        wine "$TESTWINDOW" -close </dev/null >/dev/null 2>&1
        cd "$TOP" && ctest --test-dir "$BUILD" --preset "$@"
        status=$?
        wineserver -k
        exit $status' sh "$@"
}

# Tests labelled "palette" as well as "wine" need a palette display: an
# 8-bit Xvfb, where Wine reports RC_PALETTE with 256 entries.  They get a
# display (and so a wineserver and a prefix copy) of their own.
set +e
run_in_display 24 "$build/wine-run" wine "$@"
status=$?
if (cd "$top" && ctest --test-dir "$build" --preset wine-palette -N "$@" | grep -q "Test *#"); then
    run_in_display 8 "$build/wine-run-8bit" wine-palette "$@"
    palette_status=$?
    [ $status -ne 0 ] || status=$palette_status
fi
exit $status
