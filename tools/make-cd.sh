#!/bin/sh
# Lays out the Quellorn driver CD from the shipping 32-bit build and makes
# its ISO image:
#   tools/make-cd.sh <build dir> [--content DIR] [--label LABEL] [--publisher NAME]
# Outputs: <build>/cd (the tree) and <build>/quellorn-cd.iso (tools/make-iso.sh).
#
# --content DIR   a CD maker's own files: each replaces the stand-in at the
#                 same path (letter case aside), the others are added; the
#                 run ends with a report of what on the CD is still a stand-in
# --label         the volume label (default QUELLORN)
# --publisher     the publisher of the image (default Halvorix)
# The environment variables CD_CONTENT, CD_LABEL and CD_PUBLISHER (which
# "make cd CD_CONTENT=DIR" passes on) stand for the options; an empty value
# stands for the default. Tree and image are made beside the old ones and
# take their places only when all went well: a run that fails leaves the
# previous tree and image as they were.
set -e

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
shift
# Dates on the CD are the commit's, not the clock's: the same commit gives
# the same image.  xorriso takes the volume dates from this variable and
# every file date from the file's own time.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$here/.." log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH
content=${CD_CONTENT:-} label=${CD_LABEL:-} publisher=${CD_PUBLISHER:-}
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || { echo "make-cd: $1 needs a value" >&2; exit 2; }
    case "$1" in
    --content) content=$2 ;;
    --label) label=$2 ;;
    --publisher) publisher=$2 ;;
    *) echo "make-cd: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
label=${label:-QUELLORN}
publisher=${publisher:-Halvorix}

cd_tree="$build/cd"
iso="$build/quellorn-cd.iso"
report="$build/cd-report.txt"
capacity=$((650 * 1024 * 1024))

fail() {
    echo "make-cd: $*" >&2
    echo "make-cd: nothing changed; $cd_tree and $iso are as they were" >&2
    exit 1
}

# Printable ASCII, at most 32 characters for the label (ISO 9660 holds that
# many; Windows shows the first 16, all that Joliet holds) and 128 for the
# publisher.
printf '%s' "$label" | LC_ALL=C grep -qx '[ -~]\{1,32\}' ||
    fail "CD_LABEL must be 1 to 32 printable ASCII characters: '$label'"
printf '%s' "$publisher" | LC_ALL=C grep -qx '[ -~]\{1,128\}' ||
    fail "CD_PUBLISHER must be 1 to 128 printable ASCII characters: '$publisher'"
if [ -n "$content" ]; then
    { [ -d "$content" ] && [ -r "$content" ] && [ -x "$content" ]; } ||
        fail "CD_CONTENT $content is not a folder that can be read"
    content=$(cd "$content" && pwd)
fi

[ -f "$build/win32/programs.txt" ] || fail "build the win32 preset first"
new_tree="$build/cd.new"
new_iso="$iso.new"
rm -rf "$new_tree" "$new_iso" "$report"
trap 'rm -rf "$new_tree" "$new_iso"' EXIT
set -- --mode demo --programs "$build/win32/programs.txt" --out "$new_tree"
[ -z "$content" ] || set -- "$@" --content "$content" --report "$report"
python3 "$here/cd-tree.py" "$@" || fail "the CD tree could not be laid out"
find "$new_tree" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

# The files alone must fit before an image is written (a huge file would
# only waste the time); the image, with its directories, is measured after.
bytes=$(du -s --apparent-size -B1 "$new_tree" | cut -f1)
[ "$bytes" -le "$capacity" ] ||
    fail "the CD's files take $bytes bytes, more than a 650 MB CD holds ($capacity)"
sh "$here/make-iso.sh" "$new_tree" "$new_iso" "$label" "$publisher" ||
    fail "xorriso could not write the image"
bytes=$(wc -c <"$new_iso")
[ "$bytes" -le "$capacity" ] ||
    fail "the image has $bytes bytes, more than a 650 MB CD holds ($capacity)"

# The Joliet tree is what Windows reads: check that the names came through.
# xorriso quotes each name in single quotes and writes a quote inside as '"'"'.
joliet=$(xorriso -read_fs norock -indev "$new_iso" -find / -type f 2>/dev/null |
         sed "s/'\"'\"'/'/g; s/^'//; s/'\$//")
for name in "/Setup.exe" "/autorun.inf" "/Utility/Lingpick .exe" "/HD and CD-ROM/000A/Setup.exe" \
            "/Acrobat/Español/ar405esl.exe" "/User's Guides/000C/Créer un CD à l'aide de VelmoraCD .pdf"; do
    if ! printf '%s\n' "$joliet" | grep -qxF "$name"; then
        case "$name" in
        /Setup.exe|"/Utility/Lingpick .exe")
            # Not built yet: cd-tree.py said so above.
            [ -f "$new_tree$name" ] || continue ;;
        esac
        fail "$name is missing from the Joliet tree of the image"
    fi
done

rm -rf "$cd_tree"
mv "$new_tree" "$cd_tree"
mv "$new_iso" "$iso"
echo "make-cd: CD tree in $cd_tree"
echo "make-cd: image $iso ($(du -k "$iso" | cut -f1) KiB), label $label, publisher $publisher"
echo "make-cd: SHA-256 $(sha256sum "$iso" | cut -d' ' -f1)"
if [ -f "$report" ]; then
    cat "$report"
else
    echo "make-cd: the product files on this CD are stand-ins; CD_CONTENT=DIR puts your own in their places"
fi
