#!/bin/sh
# Writes the ISO 9660 image of a CD tree, with Joliet and Rock Ridge names,
# so that names such as "Utility\Lingpick .exe", "HD and CD-ROM" and
# "Español" stay as they are:
#   tools/make-iso.sh <tree> <image> [<volume label> [<publisher>]]
set -e
tree=$1
iso=$2
label=${3:-QUELLORN}
publisher=${4:-Halvorix}
log="$iso.log"
rm -f "$iso"
if ! xorriso -as mkisofs -quiet -input-charset UTF-8 -iso-level 3 -r -J -joliet-long \
        -V "$label" -publisher "$publisher" -A "Quellorn drives driver CD" \
        -o "$iso" "$tree" 2>"$log"; then
    cat "$log" >&2
    rm -f "$iso" "$log"
    exit 1
fi
rm -f "$log"
