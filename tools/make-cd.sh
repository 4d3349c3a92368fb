#!/bin/sh
# Lays out the Quellorn driver CD from the shipping 32-bit build and makes
# its ISO image:
#   tools/make-cd.sh <build dir>      (normally "build")
# Outputs: <build>/cd (the tree) and <build>/quellorn-cd.iso (ISO 9660 with
# Joliet and Rock Ridge, so names such as "Utility\Lingpick .exe",
# "HD and CD-ROM" and "Español" stay as they are).
set -e

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
# Dates on the CD are the commit's, not the clock's: the same commit gives
# the same image.  xorriso takes the volume dates from this variable and
# every file date from the file's own time.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$here/.." log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH
cd_tree="$build/cd"
iso="$build/quellorn-cd.iso"

[ -f "$build/win32/programs.txt" ] || { echo "make-cd: build the win32 preset first" >&2; exit 1; }
python3 "$here/cd-tree.py" --mode demo --programs "$build/win32/programs.txt" --out "$cd_tree"
find "$cd_tree" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
echo "make-cd: CD tree in $cd_tree"

rm -f "$iso"
xorriso -as mkisofs -quiet -input-charset UTF-8 -iso-level 3 -r -J -joliet-long \
    -V QUELLORN -publisher "Halvorix" -A "Quellorn drives driver CD" \
    -o "$iso" "$cd_tree" 2>"$build/xorriso.log" || { cat "$build/xorriso.log" >&2; exit 1; }

# The Joliet tree is what Windows reads: check that the names came through.
# xorriso quotes each name in single quotes and writes a quote inside as '"'"'.
joliet=$(xorriso -read_fs norock -indev "$iso" -find / -type f 2>/dev/null |
         sed "s/'\"'\"'/'/g; s/^'//; s/'\$//")
for name in "/Setup.exe" "/autorun.inf" "/Utility/Lingpick .exe" "/HD and CD-ROM/000A/Setup.exe" \
            "/Acrobat/Español/ar405esl.exe" "/User's Guides/000C/Créer un CD à l'aide de VelmoraCD .pdf"; do
    if ! printf '%s\n' "$joliet" | grep -qxF "$name"; then
        case "$name" in
        /Setup.exe|"/Utility/Lingpick .exe")
            # Not built yet: cd-tree.py said so above.
            [ -f "$cd_tree$name" ] || continue ;;
        esac
        echo "make-cd: $name is missing from the Joliet tree of $iso" >&2
        exit 1
    fi
done
echo "make-cd: image $iso ($(du -k "$iso" | cut -f1) KiB)"
echo "make-cd: SHA-256 $(sha256sum "$iso" | cut -d' ' -f1)"
