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
# The probes: built by the win32 preset (tools/release-probes) as the
# shipping programs are, each but the good one with one fault.
work="$build/tools/release-probes"
for probe in good no-manifest two-manifests new-subsystem newer-import runtime-import; do
    if [ ! -f "$work/$probe.exe" ]; then
        echo "missing: $work/$probe.exe (build the win32 preset first)"
        exit 1
    fi
done

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
