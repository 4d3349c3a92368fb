#!/bin/sh
# Runs a command inside the i386 root, with /proc, /dev and /dev/shm, in a
# mount namespace of its own so that nothing stays mounted when it ends:
#   tools/shipping/in-root.sh <root> [--bind <dir> <path in root>]...
#                             [--layer <dir> <changes dir> <path in root>]... <command>...
# --layer shows <dir> at the path with every change written to <changes
# dir> instead (an overlay mount; a copy where the kernel has none).
#
# Where the host's 64-bit wineserver speaks the protocol of the root's Wine
# (the same Debian version), it is lent to the root with the two libraries
# it needs: Debian's wineserver wrapper prefers it to the 32-bit one, and it
# runs natively where the 32-bit one would be emulated.
#
# Under qemu-i386 the guest's address space ends 64 MB above Wine's 2 GB
# user-space limit instead of at 4 GB. qemu 7.2 places the libraries that
# ld.so loads just below 0x40000000, inside the low area that Wine reserves
# at start-up; its MAP_FIXED_NOREPLACE then returns other addresses instead
# of failing, Wine keeps the ones above its limit, and its later reservation
# of everything above 2 GB fails on every 64 KB piece: about 65,000 mmap
# calls, each of which qemu answers by probing guest pages one by one, for
# about a minute of CPU per process. With 64 MB above the limit those
# probes are short, and a process starts in seconds. Win32 programs never
# see more than 2 GB anyway.
set -e
root=$1
shift
export QEMU_RESERVED_VA=0x84000000

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
    while [ "$1" = --bind ] || [ "$1" = --layer ]; do
        if [ "$1" = --bind ]; then
            mkdir -p "$root$3"
            mount --bind "$2" "$root$3"
            shift 3
            continue
        fi
        mkdir -p "$3/upper" "$3/work" "$root$4"
        mount -t overlay overlay -o "lowerdir=$2,upperdir=$3/upper,workdir=$3/work" "$root$4" 2>/dev/null ||
            { rmdir "$root$4" && cp -a "$2" "$root$4"; }
        shift 4
    done
    exec chroot "$root" "$@"' in-root "$root" "$native" "$@"
