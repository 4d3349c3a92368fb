#!/bin/sh
# Starts the CD's menu under Wine:
#   tools/run-cd.sh <build dir>      (normally "build")
#
# wine64 on this machine cannot run the 32-bit shipping executables, so this
# runs a copy of the CD tree (<build>/run-cd) with the 64-bit builds of the
# same programs swapped in, from drive D: of its own Wine prefix.
#
# With a DISPLAY the menu opens there and the script waits until it closes.
# Without one, it runs under Xvfb, saves screenshots of every program in
# English, Spanish and French, and of the English menu at 120 and 144 DPI,
# to <build>/screenshots/, and ends.
set -e

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
win64="$build/win64"
run_cd="$build/run-cd"
shots="$build/screenshots"

[ -f "$win64/programs.txt" ] || { echo "run-cd: build the win64 preset first" >&2; exit 1; }
python3 "$here/cd-tree.py" --mode demo --programs "$win64/programs.txt" --out "$run_cd"
if [ ! -f "$run_cd/Setup.exe" ]; then
    echo "run-cd: the launcher is not built yet; nothing to start" >&2
    exit 1
fi

# The prefix: a copy of the test template, with D: on this tree.
sh "$here/wine-prefix.sh" "$win64"
prefix="$build/run-prefix"
rm -rf "$prefix"
cp -a "$win64/wine-template" "$prefix"
ln -sfn "$run_cd" "$prefix/dosdevices/d:"
# Drive A: is a folder of this run. Wine has no diskette hardware to ask,
# so Floppwright is told it runs on NT 4.0, where a removable A: suffices.
mkdir -p "$build/run-floppy"
ln -sfn "$build/run-floppy" "$prefix/dosdevices/a:"
cat > "$prefix/drive_c/floppwright.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\Floppwright.exe]
"Version"="nt40"
REG
export WINEPREFIX="$prefix" WINEDEBUG=-all

if [ -n "$DISPLAY" ]; then
    # The tests' prefix sends web pages to the recorder; here they go to
    # the desktop's browser again, through Wine's own.
    cat > "$prefix/drive_c/browser.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\http\shell\open\command]
@="\"C:\\windows\\system32\\winebrowser.exe\" \"%1\""

[HKEY_CLASSES_ROOT\htmlfile\shell\open\command]
@="\"C:\\windows\\system32\\winebrowser.exe\" \"%1\""
REG
    wine regedit /S 'C:\browser.reg' 2>/dev/null || true
    wine regedit /S 'C:\floppwright.reg' 2>/dev/null || true
    echo "run-cd: starting D:\\Setup.exe ($run_cd/Setup.exe)"
    wine "D:\\Setup.exe"
    wineserver -k
    exit 0
fi

screenshot=$(sed -n 's/^screenshot=//p' "$win64/programs.txt")
rm -rf "$shots"
mkdir -p "$shots"
export SHOTS="$shots" SCREENSHOT="$screenshot"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    wineserver -p
    wine regedit /S "C:\\floppwright.reg" </dev/null >/dev/null 2>&1
    # shoot <name> <language> [--dismiss] <program> [arguments]
    shoot() {
        name=$1 lang=$2 option=
        shift 2
        [ "$1" != --dismiss ] || { option=$1; shift; }
        if LC_ALL=$lang.UTF-8 LANG=$lang.UTF-8 wine "$SCREENSHOT" $option "$SHOTS/$name.bmp" "$@" \
                </dev/null >/dev/null 2>"$SHOTS/$name.log" &&
           convert "$SHOTS/$name.bmp" "$SHOTS/$name.png"; then
            rm -f "$SHOTS/$name.bmp" "$SHOTS/$name.log"
            echo "run-cd: $SHOTS/$name.png"
        else
            echo "run-cd: no screenshot $name: $(cat "$SHOTS/$name.log")" >&2
        fi
    }
    for pair in en:en_US es:es_ES fr:fr_FR; do
        code=${pair%%:*} lang=${pair#*:}
        shoot "launcher-$code-notice" $lang "D:\\Setup.exe"
        shoot "launcher-$code" $lang --dismiss "D:\\Setup.exe"
        [ ! -f "$WINEPREFIX/dosdevices/d:/Utility/Lingpick .exe" ] ||
            shoot "lingpick-$code" $lang "D:\\Utility\\Lingpick .exe"
        shoot "standin-$code" $lang "D:\\HD and CD-ROM\\$(
                case $code in en) echo 0009;; es) echo 000A;; fr) echo 000C;; esac)\\Setup.exe"
        [ ! -f "$WINEPREFIX/dosdevices/d:/Utility/Floppwright.exe" ] ||
            shoot "floppwright-$code" $lang "D:\\Utility\\Floppwright.exe" "-$(
                case $code in en) echo 0009;; es) echo 000a;; fr) echo 000c;; esac)"
    done
    # The menu on screens of 120 and 144 DPI: a program takes LogPixels
    # when it starts.
    for dpi in 120 144 96; do
        cat > "$WINEPREFIX/drive_c/dpi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$(printf %08x $dpi)
REG
        wine regedit /S "C:\\dpi.reg" </dev/null >/dev/null 2>&1
        [ $dpi = 96 ] || shoot "launcher-en-${dpi}dpi" en_US --dismiss "D:\\Setup.exe"
    done
    wineserver -k'
echo "run-cd: screenshots in $shots"
