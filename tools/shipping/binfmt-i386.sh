#!/bin/sh
# Makes sure this machine can start i386 ELF programs:
#   tools/shipping/binfmt-i386.sh
# Most kernels run them themselves; then nothing is changed. Where the kernel
# refuses, qemu-i386-static is registered for them in binfmt_misc. The F flag
# opens the emulator now, so it also serves programs in a chroot.
set -e

probe=$(mktemp /tmp/i386-probe.XXXXXX)
trap 'rm -f "$probe"' EXIT
# The smallest i386 program: one PT_LOAD segment that calls exit(0).
python3 - "$probe" <<'PY'
import struct, sys
code = bytes([0xb8, 1, 0, 0, 0, 0x31, 0xdb, 0xcd, 0x80])  # mov eax,1; xor ebx,ebx; int 0x80
base, eh, ph = 0x08048000, 52, 32
header = b'\x7fELF\x01\x01\x01' + bytes(9) + struct.pack(
    '<HHIIIIIHHHHHH', 2, 3, 1, base + eh + ph, eh, 0, 0, eh, ph, 1, 0, 0, 0)
size = eh + ph + len(code)
segment = struct.pack('<8I', 1, 0, base, base, size, size, 5, 0x1000)
with open(sys.argv[1], 'wb') as f:
    f.write(header + segment + code)
PY
chmod +x "$probe"
"$probe" 2>/dev/null && exit 0

binfmt=/proc/sys/fs/binfmt_misc
qemu=/usr/bin/qemu-i386-static
# Each way this can fail ends in one line that says what the machine lacks.
fail() {
    echo "binfmt-i386: the kernel cannot run i386 programs and $1: this machine cannot run the 32-bit lane" >&2
    exit 1
}
[ -x "$qemu" ] || fail "$qemu is missing (tools/install-deps.sh shipping)"
[ -f "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    fail "binfmt_misc cannot be mounted at $binfmt (not root, or a container without it)"
if [ ! -e "$binfmt/quellorn-i386" ]; then
    echo "binfmt-i386: the kernel cannot run i386 programs; registering $qemu"
    { printf '%s' ':quellorn-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
        > "$binfmt/register"; } 2>/dev/null ||
        fail "$qemu cannot be registered in binfmt_misc (read-only, or not allowed here)"
fi
"$probe" 2>/dev/null || fail "still refuses them with $qemu registered in binfmt_misc"
