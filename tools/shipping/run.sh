#!/bin/sh
# The shipping lane: runs the 32-bit Setup.exe, Floppwright.exe and
# "Lingpick .exe" of the win32 build from a CD tree, in 32-bit Wine, in
# English and in French:
#   tools/shipping/run.sh <build dir>      (normally "build"; make test-shipping)
#
# The i386 root with its Wine and the template prefix are made once per
# machine (tools/shipping/i386-root.sh). Each run lays out the test CD tree
# of the win32 build (recorders at every program path the CD starts), copies
# the template prefix, and starts the lane's driver (tests/shipping) once
# per language in one wineserver session, on an Xvfb display of its own.
set -e

# debootstrap, chroot, mounts and binfmt_misc need root.
[ "$(id -u)" -eq 0 ] || exec sudo sh "$0" "$@"

here=$(cd "$(dirname "$0")" && pwd)
tools=$(dirname "$here")
build=$(cd "$1" && pwd)
win32="$build/win32"
cache=${QUELLORN_I386_CACHE:-/var/cache/quellorn-i386}
root="$cache/root"

[ -f "$win32/programs.txt" ] || { echo "shipping: build the win32 preset first" >&2; exit 1; }
driver=$(sed -n 's/^shipping_check=//p' "$win32/programs.txt")
[ -n "$driver" ] && [ -f "$driver" ] || { echo "shipping: the win32 build has no lane driver" >&2; exit 1; }

started=$(date +%s)
sh "$here/i386-root.sh"
echo "shipping: set-up checked in $(( $(date +%s) - started )) s"

cd_tree="$build/shipping-cd"
python3 "$tools/cd-tree.py" --mode test --programs "$win32/programs.txt" --out "$cd_tree"
for program in "Setup.exe" "Utility/Floppwright.exe" "Utility/Lingpick .exe"; do
    [ -f "$cd_tree/$program" ] || { echo "shipping: $program is not built" >&2; exit 1; }
done

# This run's prefix and floppy folder live in the root, under a name of
# their own: two lanes on one machine do not meet. The prefix is the
# template seen through a layer that takes this run's changes, so nothing
# is copied and the template stays as it was made.
run="$root/runs/$$"
rm -rf "$run"
mkdir -p "$run/floppy"

# Whatever is left of this run's Wine session when it ends early: its
# processes are the ones in the root that carry this run's prefix.
end_session() {
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] || continue
        tr '\0' '\n' < "$proc/environ" 2>/dev/null | grep -qx "WINEPREFIX=/runs/$$/prefix" &&
            kill -9 "${proc#/proc/}" 2>/dev/null
    done
    return 0
}

# An Xvfb display of this run's own; -displayfd names it once it listens.
xvfb_log="$build/shipping-xvfb.log"
exec 8>"$build/shipping-display"
Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp >"$xvfb_log" 2>&1 &
xvfb=$!
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    end_session
    rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
while [ ! -s "$build/shipping-display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { cat "$xvfb_log" >&2; exit 1; }
    sleep 0.1
done
display=":$(head -n 1 "$build/shipping-display")"

# Wine's own complaints (and qemu's about the crashes of Wine's helper
# processes) go to a log; the driver's lines stay on the terminal.
# Every wait of the driver takes its timeout times QL_WAIT_SCALE, and a
# driver run as a whole ends after 5 minutes times that scale: a lane that
# goes wrong fails within a bound instead of hanging.
wine_log="$build/shipping-wine.log"
scale=${QL_WAIT_SCALE:-4}
status=0
sh "$here/in-root.sh" "$root" \
    --bind /tmp/.X11-unix /tmp/.X11-unix \
    --bind "$cd_tree" /cd \
    --bind "$run/floppy" /floppy \
    --bind "$(dirname "$driver")" /driver \
    --layer "$root/prefix/template" "$run/changes" "/runs/$$/prefix" \
    env DISPLAY="$display" WINEPREFIX="/runs/$$/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="$(sh "$here/dll-overrides.sh")" QL_WAIT_SCALE="$scale" \
    sh -c '
        wineserver -p
        status=0
        for lang in en_US fr_FR; do
            started=$(date +%s)
            LC_ALL=$lang.UTF-8 LANG=$lang.UTF-8 timeout -k 10 $(( QL_WAIT_SCALE * 300 )) \
                wine "Z:\\driver\\ql_shipping_check.exe" "${lang%_*}" </dev/null || status=1
            echo "shipping: $lang took $(( $(date +%s) - started )) s"
        done
        wineserver -k
        exit $status' 2>"$wine_log" || status=1

if [ $status -eq 0 ]; then
    echo "shipping: passed in $(( $(date +%s) - started )) s"
else
    tail -n 20 "$wine_log" >&2
    echo "shipping: FAILED (Wine's messages: $wine_log)" >&2
fi
exit $status
