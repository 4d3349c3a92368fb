#!/bin/sh
# Makes, once per i386 root, the template Wine prefix of the shipping lane,
# and brings its registry fixtures up to date (quick when they are):
#   tools/shipping/i386-prefix.sh      (called by i386-root.sh)
# Template: <root>/prefix/template, /prefix/template inside the root
#   - 32-bit, made without Mono, Gecko and sound drivers (no prompts)
#   - Managed=N, no crash dialog and no debugger (a crashing program must
#     fail, not wait for a debugger that would be one more emulated start)
#   - D: the CD (/cd, "cdrom"), A: a folder (/floppy, "floppy"); the lane
#     binds the CD tree and a fresh folder there
#   - the session starts no services: no mount manager, plug and play,
#     event log or network drivers.  Under emulation each is a slow process
#     start, and qemu 7.2 crashes or hangs multi-threaded processes at
#     random (see the lane's driver).  A device host that hangs is ended
#     by services.exe after its usual 10 s (ServicesPipeTimeout, which an
#     earlier template raised, stays unset): with a longer wait it held up
#     services, so wineboot, so every program start for 5 minutes.  Without
#     the mount manager A: and D: are plain fixed drives, which the checks
#     allow for
#   - Floppwright is told it runs on NT 4.0, where a removable A: passes
#     its drive check: Wine has no diskette hardware to ask
#   - .update-timestamp says "disable": Wine sets a prefix up again at the
#     start of any session whose wine.inf time differs from that file, and
#     this prefix is made for the Wine of this root and dies with it
set -e

here=$(cd "$(dirname "$0")" && pwd)
cache=${QUELLORN_I386_CACHE:-/var/cache/quellorn-i386}
root="$cache/root"
template="$root/prefix/template"

fixtures='REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\Floppwright.exe]
"Version"="nt40"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"a:"="floppy"
"d:"="cdrom"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control]
"ServicesPipeTimeout"=-

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\MountMgr]
"Start"=dword:00000004

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\PlugPlay]
"Start"=dword:00000004

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Eventlog]
"Start"=dword:00000004

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\NDIS]
"Start"=dword:00000004

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\nsiproxy]
"Start"=dword:00000004'

[ -f "$template/.ready" ] &&
    [ "$(cat "$template/.fixtures" 2>/dev/null)" = "$fixtures" ] && exit 0

# One session for all steps: every session start costs a handful of
# emulated process starts (wineboot, services, devices, desktop).
steps='wine regedit /S "Z:\\prefix\\fixtures.reg"'
if [ ! -f "$template/.ready" ]; then
    echo "i386-prefix: making the template prefix $template (once per machine)"
    rm -rf "$template"
    steps="wine wineboot -i; $steps"
else
    echo "i386-prefix: bringing the fixtures of $template up to date"
fi
mkdir -p "$root/prefix" "$root/cd" "$root/floppy"
printf '%s\n' "$fixtures" > "$root/prefix/fixtures.reg"
sh "$here/in-root.sh" "$root" env WINEPREFIX=/prefix/template WINEARCH=win32 WINEDEBUG=-all \
    WINEDLLOVERRIDES="$(sh "$here/dll-overrides.sh")" sh -c "
    wineserver -p5
    $steps
    # A helper process that qemu left hanging would keep the server up for
    # good; ending the session still saves the registry.
    timeout 300 wineserver -w || wineserver -k"
ln -sfn /cd "$template/dosdevices/d:"
ln -sfn /floppy "$template/dosdevices/a:"
# Caption buttons are drawn with Marlett, which this Wine looks for in the
# prefix's own fonts folder.
[ ! -f "$root/usr/share/wine/fonts/marlett.ttf" ] ||
    cp "$root/usr/share/wine/fonts/marlett.ttf" "$template/drive_c/windows/Fonts/"
echo disable > "$template/.update-timestamp"
printf '%s\n' "$fixtures" > "$template/.fixtures"
touch "$template/.ready"
