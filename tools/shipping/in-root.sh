#!/bin/sh
# Runs a command inside the i386 root, with /proc, /dev and /dev/shm, in a
# mount namespace of its own so that nothing stays mounted when it ends:
#   tools/shipping/in-root.sh <root> [--bind <dir> <path in root>]... <command>...
#
# Where the host's 64-bit wineserver speaks the protocol of the root's Wine
# (the same Debian version), it is lent to the root with the two libraries
# it needs: Debian's wineserver wrapper prefers it to the 32-bit one, and it
# runs natively where the 32-bit one would be emulated.
set -e
root=$1
shift

native=
if [ -x /usr/lib/wine/wineserver64 ]; then
    host_version=$(dpkg-query -W -f '${Version}' wine64 2>/dev/null || true)
    root_version=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f '${Version}' wine32 2>/dev/null || true)
    [ -n "$root_version" ] && [ "$host_version" = "$root_version" ] && native=1
fi

exec unshare --mount --propagation private sh -c '
    set -e
    root=$1 native=$2
    shift 2
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    if [ -n "$native" ]; then
        for file in /usr/lib/wine/wineserver64 /lib64/ld-linux-x86-64.so.2 \
                    /lib/x86_64-linux-gnu/libc.so.6; do
            # The stand-in file stays behind, not executable, so that the
            # wrapper takes the 32-bit server when nothing is lent.
            mkdir -p "$root${file%/*}"
            [ -e "$root$file" ] || install -m 644 /dev/null "$root$file"
            mount --bind "$(readlink -f "$file")" "$root$file"
        done
    fi
    while [ "$1" = --bind ]; do
        mkdir -p "$root$3"
        mount --bind "$2" "$root$3"
        shift 3
    done
    exec chroot "$root" "$@"' in-root "$root" "$native" "$@"
