#!/bin/sh
# `make bench`: sizes of the shipping executables, the time of one diskette
# image, then start-up times, peak working sets and menu repaints under Wine,
# each against a bare program of the same build (a bare window for the menu,
# a bare window with a modal dialog for Floppwright and Lingpick), and where
# the dialog programs' start-up time goes. Prints; asserts nothing.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
win32="$build/win32"
win64="$build/win64"

echo "== Size of the shipping executables (32-bit)"
python3 "$top/bench/sizes.py" i686-w64-mingw32-objdump "$win32/bench/bare_window.exe" \
    "bare dialog=$win32/bench/bare_dialog.exe" \
    "launcher=$win32/launcher/launcher.exe:64" \
    "Floppwright=$win32/diskette_maker/Floppwright.exe:48" \
    "Lingpick=$win32/acrobat_picker/Lingpick .exe:24"

echo
echo "== One setup diskette image, natively (floppwright-image)"
python3 "$top/tools/cd-tree.py" --mode demo --programs "$win32/programs.txt" --out "$build/bench/cd" >/dev/null
python3 "$top/bench/image_time.py" "$build/native-optimised/diskette_maker/floppwright-image" "$build/bench/cd" "$build/bench"

echo
echo "== Start-up, peak working set and repaints under Wine (64-bit builds, warm wineserver)"
# A CD of the bench's own, with each bare program beside the programs it is
# measured against: where an executable lies changes how long Wine takes to
# load it, and the baseline must not gain or lose by that.
cd="$win64/bench/cd"
python3 "$top/tools/cd-tree.py" --mode test --programs "$win64/programs.txt" --out "$cd"
cp "$win64/bench/bare_window.exe" "$cd/bare_window.exe"
cp "$win64/bench/bare_dialog.exe" "$cd/Utility/bare_dialog.exe"
mkdir -p "$win64/floppy"
sh "$top/tools/wine-prefix.sh" "$win64"
run="$win64/wine-bench"
rm -rf "$run"
cp -a "$win64/wine-template" "$run"
ln -sfn "$cd" "$run/dosdevices/d:"
export WINEPREFIX="$run" WINEDEBUG=-all LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8
# No sound card here: keep the audio drivers from trying one at every click.
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv="
export DRIVER="$win64/bench/bench_driver.exe" \
    STAGES="$win64/bench/bare_dialog_stages.exe $win64/bench/bare_combo_dialog_stages.exe $win64/diskette_maker/floppwright_stages.exe $win64/acrobat_picker/lingpick_stages.exe"
export TESTWINDOW="$(dirname "$(sed -n 's/^recorder=//p' "$win64/programs.txt")")/ql_testwindow.exe"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    wineserver -p
    # Start the desktop and services first, with their output away from ours.
    wine "$TESTWINDOW" -close </dev/null >/dev/null 2>&1
    wine "$DRIVER" startup
    wine "$DRIVER" repaints
    echo
    echo "== Where the start-up of the dialog programs goes (bench variants with stage stamps)"
    wine "$DRIVER" stages $STAGES
    wineserver -k'
