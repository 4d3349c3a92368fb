#!/bin/sh
# Prepares, once per machine, what the shipping lane needs to run the 32-bit
# programs: a minimal i386 Debian root with 32-bit Wine in it, and a template
# Wine prefix inside that root.
#   tools/shipping/i386-root.sh
# Idempotent and quick when everything is there. The cache lives outside any
# checkout, so every clone on the machine shares it:
#   QUELLORN_I386_CACHE   (default /var/cache/quellorn-i386)
#   QUELLORN_I386_MIRROR  (default: the host's own Debian mirror)
#     root/              the i386 root; root/.ready marks it complete
#     root/prefix/       the template prefix (/prefix inside the root)
# Where the kernel cannot run i386 programs, qemu-i386-static is registered
# for them in binfmt_misc with the F flag, so it also works inside the root.
set -e

here=$(cd "$(dirname "$0")" && pwd)
cache=${QUELLORN_I386_CACHE:-/var/cache/quellorn-i386}
root="$cache/root"

[ "$(id -u)" -eq 0 ] || { echo "i386-root: needs root (debootstrap, chroot, binfmt_misc)" >&2; exit 1; }
sh "$here/binfmt-i386.sh"

mkdir -p "$cache"
# Two lanes may start at once on one machine: one maker at a time.
exec 9>"$cache/lock"
flock 9

# The mirror the host itself installs from; Debian's own otherwise.
host_mirror() {
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk '/^URIs:/ { u = $2 } /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") s = 1 }
             /^$/ { if (s && u) { print u; exit } u = ""; s = 0 }
             END { if (s && u) print u }' "$f"
    done
    [ -f /etc/apt/sources.list ] &&
        awk '$1 == "deb" && $3 == "bookworm" { print $2 }' /etc/apt/sources.list
    echo http://deb.debian.org/debian
}

in_root() {
    sh "$here/in-root.sh" "$root" "$@"
}

# debootstrap on an unreachable mirror fails only after long retries, with
# messages about single packages; ask once, briefly, and say so in one line.
mirror_reachable() {
    python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1], timeout=30).read(1)' \
        "$1/dists/bookworm/Release" >/dev/null 2>&1
}

if [ ! -f "$root/.ready" ]; then
    mirror=${QUELLORN_I386_MIRROR:-$(host_mirror | head -n 1)}
    mirror_reachable "$mirror" || {
        echo "i386-root: cannot reach the Debian mirror $mirror, which the first set-up needs (QUELLORN_I386_MIRROR names another)" >&2
        exit 1
    }
    echo "i386-root: making the i386 root in $root from $mirror (once per machine)"
    rm -rf "$root"
    debootstrap --arch=i386 --variant=minbase --include=locales bookworm "$root" "$mirror"
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        wine wine32 fonts-wine
    in_root apt-get clean
    # The lane runs each program in English and in French.
    printf 'en_US.UTF-8 UTF-8\nfr_FR.UTF-8 UTF-8\n' > "$root/etc/locale.gen"
    in_root locale-gen
    touch "$root/.ready"
fi

sh "$here/i386-prefix.sh"
