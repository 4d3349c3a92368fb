#!/bin/sh
# Runs the Wine tests of a win64 build directory:
#   tools/run-wine-tests.sh <win64 build dir> [more ctest options, e.g. -R launcher]
# Lays out the fake CD, copies the template prefix, then runs every test
# labelled "wine" inside ONE Xvfb display with ONE persistent wineserver
# started in that display (a server started without a display makes later
# GUI programs hang), and returns ctest's status.
set -e

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
shift

python3 "$here/cd-tree.py" --mode test --programs "$build/programs.txt" --out "$build/testcd"
rm -rf "$build/floppy" && mkdir -p "$build/floppy"
sh "$here/wine-prefix.sh" "$build"

run="$build/wine-run"
rm -rf "$run"
cp -a "$build/wine-template" "$run"

testwindow=$(sed -n "s/^testwindow=//p" "$build/programs.txt")
export WINEPREFIX="$run" WINEDEBUG=-all BUILD="$build" TESTWINDOW="$testwindow"
set +e
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    wineserver -p
    # Start the services and the desktop now, away from ctest: whatever a
    # test starts first would otherwise keep its output pipes open for good.
    wine "$TESTWINDOW" -close </dev/null >/dev/null 2>&1
    cd "$BUILD" && ctest -L wine --output-on-failure "$@"
    status=$?
    wineserver -k
    exit $status' sh "$@"
status=$?
exit $status
