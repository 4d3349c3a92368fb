#!/bin/sh
# Checks the shipping 32-bit executables: imports from the four system DLLs
# only, and only what Windows 95, 98 and NT 4.0 export; subsystem and OS
# version 4.0; exactly one manifest; each within its size.
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
# Built as the shipping programs are: their own entry point, no C runtime.
bare="$top/common/windows/program_entry.cpp -nostdlib -lkernel32 -luser32 -lgdi32 -lgcc"
i686-w64-mingw32-windres -I "$top/cmake" "$probes/manifest.rc" -O coff -o "$work/manifest.o"
i686-w64-mingw32-windres -I "$top/cmake" "$probes/two_manifests.rc" -O coff -o "$work/two-manifests.o"
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" $v4 $bare -o "$work/good.exe"
$cxx "$top/bench/bare_window.cpp" $v4 $bare -o "$work/no-manifest.exe"
$cxx "$top/bench/bare_window.cpp" "$work/two-manifests.o" $v4 $bare -o "$work/two-manifests.exe"
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" -Wl,--subsystem,windows:6.0 $bare -o "$work/new-subsystem.exe"
$cxx "$probes/newer_import.cpp" "$work/manifest.o" $v4 $bare -o "$work/newer-import.exe"
# The same window with the compiler's C runtime, which imports msvcrt.dll.
$cxx "$top/bench/bare_window.cpp" "$work/manifest.o" $v4 -o "$work/runtime-import.exe"

echo "== the check refuses what would not load"
$check "$work/good.exe" >/dev/null || { echo "check refused a sound program"; exit 1; }
refuses() {
    if out=$($check "$work/$1.exe"); then
        echo "check passed $1.exe, which it must refuse"
        exit 1
    fi
    case "$out" in
    *"$2"*) echo "refused $1.exe: $2" ;;
    *) echo "check refused $1.exe, but not for $2:"; echo "$out"; exit 1 ;;
    esac
}
refuses no-manifest "has 0 application manifests"
refuses two-manifests "has 2 application manifests"
refuses new-subsystem "Subsystem version is 6.0"
refuses newer-import "GetFileSizeEx"
refuses runtime-import "imports msvcrt.dll, which is not one of"

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

# Each program stays within the size it is held to; the menu may take
# 8 KiB more than 64 for its banners drawn for higher DPI.
within() {
    bytes=$(wc -c <"$build/$1")
    if [ "$bytes" -gt $(($2 * 1024)) ]; then
        echo "$1 is $bytes bytes, over its $2 KiB"
        exit 1
    fi
    echo "$1: $bytes bytes, within $2 KiB"
}
within launcher/launcher.exe 72
within diskette_maker/Floppwright.exe 48
within "acrobat_picker/Lingpick .exe" 24
