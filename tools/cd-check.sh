#!/bin/sh
# Checks the CD image of a build before it is burnt (tools/cd-check.py):
#   tools/cd-check.sh <build dir>      (normally "build", after make cd)
# First proves that the check refuses broken copies of the CD, and that
# make-cd.sh builds a CD from a maker's files or refuses them cleanly.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
tree="$build/cd"
iso="$build/quellorn-cd.iso"
work="$build/cd-check"
check() {
    python3 "$top/tools/cd-check.py" --tool "$build/native/tools/cd_paths/cd_paths" \
        --programs "$build/win32/programs.txt" "$@"
}
[ -f "$iso" ] || { echo "cd-check: no $iso; make cd first" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"

echo "== the check refuses broken copies of the CD"
# broken NAME FAULT COMMAND...: COMMAND breaks a copy of the tree; the check
# of its image must fail with a line that starts with FAULT.
broken() {
    name=$1 fault=$2
    shift 2
    rm -rf "$work/tree"
    cp -a "$tree" "$work/tree"
    (cd "$work/tree" && "$@")
    sh "$top/tools/make-iso.sh" "$work/tree" "$work/$name.iso"
    if check "$work/$name.iso" >"$work/$name.out"; then
        echo "cd-check passed $name, which it must refuse"
        exit 1
    fi
    grep -F "cd-check: $fault" "$work/$name.out" ||
        { cat "$work/$name.out"; echo "cd-check did not say: $fault"; exit 1; }
}
broken guide-removed "missing User's Guides\\000A\\Manual del usuario de Quellorn UDF .pdf, wanted by launcher" \
    rm "User's Guides/000A/Manual del usuario de Quellorn UDF .pdf"
broken folder-case "missing User's Guides\\000C\\Créer un CD à l'aide de VelmoraCD .pdf (the image has User's Guides\\000c\\" \
    mv "User's Guides/000C" "User's Guides/000c"
broken folder-accent "missing Acrobat\\Español\\ar405esl.exe, wanted by Lingpick (Español)" \
    mv "Acrobat/Español" "Acrobat/Espanol"
broken folder-for-file "Utility\\testport.txt is a folder, wanted as a file by Floppwright" \
    sh -c 'rm Utility/testport.txt && mkdir Utility/testport.txt'
broken autorun-icon "autorun.inf shows the icon of 'Lingpick .exe'" \
    sed -i 's/^icon=.*/icon=Lingpick .exe/' autorun.inf

echo "== make-cd with a CD maker's files"
# Only the options given here count, not a CD_CONTENT of the caller's.
unset CD_CONTENT CD_LABEL CD_PUBLISHER
# A build folder of its own, with the same programs, so that the real CD
# stays as it is.
maker="$work/maker"
mkdir -p "$maker/build/win32" "$maker/content/user's guides/0009" "$maker/content/Diskette Drive" \
    "$maker/content/Extras"
cp "$build/win32/programs.txt" "$maker/build/win32/"
echo "the real guide" >"$maker/content/user's guides/0009/HOW TO MAKE A CD WITH VELMORACD .PDF"
echo "the real setup" >"$maker/content/Diskette Drive/Setup.exe"
echo "a catalogue" >"$maker/content/Extras/Catalogue 2001.txt"
sh "$top/tools/make-cd.sh" "$maker/build" --content "$maker/content" --label MAKERCD >"$maker/out"
grep -v "^make-cd:   " "$maker/out"
for line in "make-cd: 2 stand-ins replaced by your files" "make-cd: added: Extras/Catalogue 2001.txt" \
            "make-cd: stand-ins still on the CD: " "make-cd:   HD and CD-ROM/0009/Setup.exe"; do
    grep -qF "$line" "$maker/out" || { echo "make-cd did not report: $line"; exit 1; }
done
if grep -qF "make-cd:   Diskette Drive/Setup.exe" "$maker/out"; then
    echo "make-cd reports a replaced stand-in as still there"
    exit 1
fi
cmp -s "$maker/content/user's guides/0009/HOW TO MAKE A CD WITH VELMORACD .PDF" \
    "$maker/build/cd/User's Guides/0009/How to Make a CD with VelmoraCD .pdf" ||
    { echo "make-cd did not put the real guide under the launcher's name"; exit 1; }
xorriso -indev "$maker/build/quellorn-cd.iso" -pvd_info 2>/dev/null | grep -q "^Volume Id *: MAKERCD" ||
    { echo "make-cd did not label the image MAKERCD"; exit 1; }
check "$maker/build/quellorn-cd.iso" >"$maker/check.out" ||
    { cat "$maker/check.out"; echo "the maker's CD does not pass the check"; exit 1; }

# refused CONTENT REASON: make-cd.sh must fail, say REASON, and leave the
# maker's tree and image as they were.
fingerprint() {
    (cd "$maker/build" && find cd quellorn-cd.iso -type f -exec md5sum {} + | sort)
}
before=$(fingerprint)
refused() {
    if sh "$top/tools/make-cd.sh" "$maker/build" --content "$1" >"$maker/refused.out" 2>&1; then
        echo "make-cd accepted $1, which it must refuse"
        exit 1
    fi
    grep -F "$2" "$maker/refused.out" || { cat "$maker/refused.out"; echo "make-cd did not say: $2"; exit 1; }
    [ "$(fingerprint)" = "$before" ] || { echo "make-cd changed the previous CD when refusing $1"; exit 1; }
}
refused "$maker/no such folder" "is not a folder that can be read"
mkdir -p "$maker/bad-name"
echo x >"$maker/bad-name/Notes: read me?.txt"
refused "$maker/bad-name" "Notes: read me?.txt cannot be written in the CD's Joliet tree"
mkdir -p "$maker/too-big"
truncate -s 700M "$maker/too-big/huge.bin"
refused "$maker/too-big" "more than a 650 MB CD holds"
rm -rf "$maker/too-big"
mkdir -p "$maker/links/Extras"
ln -s /etc/hostname "$maker/links/Extras/secret.txt"
ln -s /etc "$maker/links/Extras/etc"
refused "$maker/links" "links/Extras/etc is a symbolic link"
refused "$maker/links" "links/Extras/secret.txt is a symbolic link"
rm -rf "$maker/links"

echo "== $iso"
check "$iso"
