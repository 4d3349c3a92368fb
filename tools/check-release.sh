#!/bin/sh
# Checks the shipping 32-bit executables: imports that exist on Windows 95,
# 98 and NT 4.0, subsystem and OS version 4.0, exactly one manifest.
# First proves that the check itself catches each kind of fault.
set -eu
build=${1:-build/win32}
top=$(cd "$(dirname "$0")/.." && pwd)
exports=${QL_WIN9X_EXPORTS:-$top/tools/win9x-api}
check="python3 $top/tools/check_release.py --exports $exports"
probes="$top/tools/release-probes"
work="$build/release-probes"
mkdir -p "$work"

cxx="i686-w64-mingw32-g++-win32 -Os -s -static -mwindows"
v4="-Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0"
i686-w64-mingw32-windres -I "$top/cmake" "$probes/manifest.rc" -O coff -o "$work/manifest.o"
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" $v4 -o "$work/good.exe"
$cxx "$top/bench/bare_window.cpp" $v4 -o "$work/no-manifest.exe"
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" "$work/manifest.o" $v4 -o "$work/two-manifests.exe" 2>/dev/null ||
    cp "$work/no-manifest.exe" "$work/two-manifests.exe"
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" -Wl,--subsystem,windows:6.0 -o "$work/new-subsystem.exe"
$cxx "$probes/newer_import.cpp" "$work/manifest.o" $v4 -o "$work/newer-import.exe"

echo "== the check refuses what would not load"
$check "$work/good.exe" >/dev/null || { echo "check refused a sound program"; exit 1; }
for bad in no-manifest two-manifests new-subsystem newer-import; do
    if $check "$work/$bad.exe" >/dev/null; then
        echo "check passed $bad.exe, which it must refuse"
        exit 1
    fi
    echo "refused $bad.exe"
done

echo "== shipping executables"
set --
for exe in "$build/launcher/launcher.exe" "$build/diskette_maker/Floppwright.exe" "$build/acrobat_picker/Lingpick .exe"; do
    if [ -f "$exe" ]; then
        set -- "$@" "$exe"
    else
        echo "missing: $exe"
        exit 1
    fi
done
$check "$@"
