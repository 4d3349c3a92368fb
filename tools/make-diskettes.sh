#!/bin/sh
# Every setup diskette Floppwright can make, as 1.44 MB images made from the
# CD tree by the native floppwright-image:
#   tools/make-diskettes.sh <build dir>      (normally "build")
# Writes <build>/diskettes/<product>-<variant>-<language>.img, one line each.
# This machine has no emergency-boot folder, so the MS-DOS images carry our
# boot sector but no system files.
set -e

build=$(cd "$1" && pwd)
tool="$build/native/diskette_maker/floppwright-image"
out="$build/diskettes"

[ -x "$tool" ] || { echo "make-diskettes: build the native preset first" >&2; exit 1; }
[ -d "$build/cd" ] || { echo "make-diskettes: lay out the CD first (tools/make-cd.sh)" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"
for product in hd cdrom diskette; do
    for variant in windows msdos; do
        for language in en es fr; do
            "$tool" --cd "$build/cd" --product $product --variant $variant --language $language \
                -o "$out/$product-$variant-$language.img" | sed "s|^$out/|make-diskettes: |"
        done
    done
done
echo "make-diskettes: images in $out"
