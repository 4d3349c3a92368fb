#!/bin/sh
# Proves that the CD is reproducible: builds the shipping programs and the CD
# twice, from two copies of the sources at different paths, each into its
# own build folder, and compares the three executables and the ISO image
# byte for byte.
#   tools/check-reproducible.sh <build dir>
# Work lands in <build dir>/reproducible/{one,second-copy}: paths of different lengths.
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
work="$(mkdir -p "$1" && cd "$1" && pwd)/reproducible"
rm -rf "$work"
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

build_cd() {
    copy="$work/$1"
    mkdir -p "$copy"
    # The files of the checkout as they stand, edits included, but no build.
    (cd "$top" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$copy"
    if ! (cd "$copy" && cmake --preset win32 >/dev/null && cmake --build --preset win32 &&
          sh tools/make-cd.sh build) >"$work/$1.log" 2>&1; then
        cat "$work/$1.log" >&2
        exit 1
    fi
}
build_cd one
build_cd second-copy

status=0
for file in cd/Setup.exe cd/Utility/Floppwright.exe "cd/Utility/Lingpick .exe" quellorn-cd.iso; do
    if cmp -s "$work/one/build/$file" "$work/second-copy/build/$file"; then
        echo "reproducible: $file the same in both builds"
    else
        echo "reproducible: $file DIFFERS between the two builds" >&2
        cmp -l "$work/one/build/$file" "$work/second-copy/build/$file" 2>&1 | head -5 >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "reproducible: ISO SHA-256 $(sha256sum "$work/one/build/quellorn-cd.iso" | cut -d' ' -f1)"
exit $status
