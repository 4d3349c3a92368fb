#!/bin/sh
# Makes the template WINEPREFIX of a win64 build directory, once:
#   tools/wine-prefix.sh <win64 build dir>
# and brings its registry fixtures up to date (cheap when they are).  Test
# runs copy the template with `cp -a`, never hard links: wineserver rewrites
# the *.reg files in place.
#
# Template: <build>/wine-template
#   - made without Mono and Gecko (no prompts) and without sound drivers,
#     and run without them: there is no sound server here, and Wine's
#     PulseAudio driver, finding none, has aborted a test's program inside
#     libpulse (an assertion in pa_context_disconnect) as it ended
#   - Managed=N (otherwise every window close waits 2 s under Xvfb)
#   - no crash dialog (a crashing program must fail its test, not wait)
#   - drives: D: the fake CD (<build>/testcd, "cdrom"), A: a folder
#     (<build>/floppy, "floppy")
#   - web fixtures: the browser, the .htm class and the RPC TCP/IP client
#     protocol, pointing at the recorder
set -e

build=$(cd "$1" && pwd)
template="$build/wine-template"
# `make run` and `make test` may reach here at once: one maker at a time.
exec 9>"$build/wine-template.lock"
flock 9
export WINEPREFIX="$template" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
# Nothing of this needs a display; never leave a server behind without one.
unset DISPLAY

recorder=$(sed -n 's/^recorder=//p' "$build/programs.txt" 2>/dev/null)
[ -n "$recorder" ] || { echo "wine-prefix: $build has no recorder; build it first" >&2; exit 1; }
recorder_win="Z:$(printf '%s' "$recorder" | sed 's|/|\\\\|g')"
command="\\\"$recorder_win\\\" \\\"%1\\\""

fixtures=$(cat <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]
"a:"="floppy"
"d:"="cdrom"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Rpc\\ClientProtocols]
"ncacn_ip_tcp"="rpcrt4.dll"

[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]
@="$command"

[HKEY_CLASSES_ROOT\\.htm]
@="htmlfile"

[HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command]
@="$command"
REG
)

if [ ! -f "$template/system.reg" ]; then
    echo "wine-prefix: creating $template (once per build directory)"
    rm -rf "$template"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
fi

# Caption buttons are drawn with Marlett; this Wine does not look in the
# folder where Debian's fonts-wine puts it, but it reads the prefix's own.
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$template/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$template/drive_c/windows/Fonts/"
fi

mkdir -p "$build/testcd" "$build/floppy"
ln -sfn "$build/testcd" "$template/dosdevices/d:"
ln -sfn "$build/floppy" "$template/dosdevices/a:"

if [ "$(cat "$template/ql-fixtures.reg" 2>/dev/null)" != "$fixtures" ]; then
    printf '%s\n' "$fixtures" > "$template/ql-fixtures.reg.new"
    wine regedit /S "$(printf 'Z:%s' "$template/ql-fixtures.reg.new" | sed 's|/|\\|g')" >/dev/null 2>&1
    wineserver -w
    mv "$template/ql-fixtures.reg.new" "$template/ql-fixtures.reg"
fi
