#!/bin/sh
# Makes, once per i386 root, the template Wine prefix of the shipping lane:
#   tools/shipping/i386-prefix.sh      (called by i386-root.sh)
# Template: <root>/prefix/template, /prefix/template inside the root
#   - 32-bit, made without Mono, Gecko and sound drivers (no prompts)
#   - Managed=N, no crash dialog (a crashing program must fail, not wait)
#   - D: the CD (/cd, "cdrom"), A: a folder (/floppy, "floppy"); the lane
#     binds the CD tree and a fresh folder there
#   - Floppwright is told it runs on NT 4.0, where a removable A: passes
#     its drive check: Wine has no diskette hardware to ask
#   - .update-timestamp says "disable": the prefix is made for the Wine of
#     this root and dies with it, so no start ever checks it for an update
set -e

here=$(cd "$(dirname "$0")" && pwd)
cache=${QUELLORN_I386_CACHE:-/var/cache/quellorn-i386}
root="$cache/root"
template="$root/prefix/template"

[ -f "$template/.ready" ] && exit 0
echo "i386-prefix: making the template prefix $template (once per machine)"
rm -rf "$template"
mkdir -p "$root/prefix" "$root/cd" "$root/floppy"
cat > "$root/prefix/fixtures.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\Floppwright.exe]
"Version"="nt40"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"a:"="floppy"
"d:"="cdrom"
REG

# One session for both steps: every session start costs a handful of
# emulated process starts (wineboot, services, devices, desktop).
sh "$here/in-root.sh" "$root" env WINEPREFIX=/prefix/template WINEARCH=win32 WINEDEBUG=-all \
    WINEDLLOVERRIDES="$(sh "$here/dll-overrides.sh")" sh -c '
    wineserver -p5
    wine wineboot -i
    wine regedit /S "Z:\\prefix\\fixtures.reg"
    wineserver -w'
ln -sfn /cd "$template/dosdevices/d:"
ln -sfn /floppy "$template/dosdevices/a:"
# Caption buttons are drawn with Marlett, which this Wine looks for in the
# prefix's own fonts folder.
[ ! -f "$root/usr/share/wine/fonts/marlett.ttf" ] ||
    cp "$root/usr/share/wine/fonts/marlett.ttf" "$template/drive_c/windows/Fonts/"
echo disable > "$template/.update-timestamp"
touch "$template/.ready"
