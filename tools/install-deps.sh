#!/bin/sh
# Installs, from Debian's own packages, what a fresh Debian 12 machine lacks
# for building and testing. Quick when everything is already present.
#   tools/install-deps.sh             what `make build` and `make test` need
#   tools/install-deps.sh shipping    also what `make test-shipping` needs
set -e

PACKAGES="
cmake make g++ ninja-build
googletest
g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
wine wine64 fonts-wine
xvfb xauth x11-utils
imagemagick
mtools dosfstools
nasm
qemu-system-x86
xorriso
libarchive-tools
clang libclang-rt-14-dev clang-format-14
python3
locales-all
"
# The shipping lane makes an i386 Debian root and, where the kernel cannot
# run i386 programs, emulates them.
[ "$1" = shipping ] && PACKAGES="$PACKAGES debootstrap qemu-user-static"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
