#!/usr/bin/env python3
"""Boots a diskette that Floppwright made under Wine.

The Wine test leaves the diskette folder of an MS-DOS run behind. This packs
it into a 1.44 MB FAT12 image with mtools, IO.SYS first so that it lies in
one run of clusters, then the other files, each with the attributes Wine
kept for it (IO.SYS and MSDOS.SYS must be read-only, hidden and system), writes the
boot sector taken from the built program's own Record resource, and boots the
image in qemu: the stand-in IO.SYS must report a correct hand-off.

    made_diskette_boots.py --diskette DIR --program Floppwright.exe --work DIR
"""

import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import boot_tests  # noqa: E402  (the loader's own qemu bench)

HIDDEN, SYSTEM = 0x2, 0x4


def mattrib_flags(path):
    """The file's DOS attributes as Wine keeps them on a Unix folder: hidden
    and system in the user.DOSATTRIB attribute, read-only as a missing write
    permission."""
    flags = []
    try:
        dos = int(os.getxattr(path, "user.DOSATTRIB").split(b"\0")[0], 16)
    except (OSError, ValueError):
        dos = 0
    if dos & HIDDEN:
        flags.append("+h")
    if dos & SYSTEM:
        flags.append("+s")
    if not os.stat(path).st_mode & 0o222:
        flags.append("+r")
    return tuple(flags)


def pe_resource(path, type_name, res_id):
    """The bytes of a resource with a named type and a numeric id."""
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise boot_tests.Failure("%s is no PE file" % path)
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size

    def offset_of(rva):
        for i in range(sections):
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", data, table + i * 40 + 8)
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return rva - vaddr + raw
        raise boot_tests.Failure("RVA %#x outside every section" % rva)

    base = offset_of(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + i * 8)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                name = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    def find(directory, wanted):
        for name, target in entries(directory):
            if (name.upper() if isinstance(name, str) else name) == wanted:
                return target
        raise boot_tests.Failure("no resource %r" % (wanted,))

    types = find(0, type_name.upper())
    ids = find(types & 0x7FFFFFFF, res_id)
    languages = ids & 0x7FFFFFFF
    _, leaf = next(entries(languages))
    rva, size = struct.unpack_from("<II", data, base + leaf)
    start = offset_of(rva)
    return data[start:start + size]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--diskette", required=True)
    ap.add_argument("--program", required=True)
    ap.add_argument("--work", required=True)
    opts = ap.parse_args()

    names = sorted(os.listdir(opts.diskette))
    if "IO.SYS" not in names:
        print("FAIL the diskette folder holds no IO.SYS: %s" % names)
        return 1
    os.makedirs(opts.work, exist_ok=True)
    boot_sector = os.path.join(opts.work, "boot_sector.bin")
    with open(boot_sector, "wb") as f:
        f.write(pe_resource(opts.program, "Record", 109))

    bench_opts = argparse.Namespace(boot_sector=boot_sector, work=opts.work, nasm="nasm",
                                    payload=None)
    try:
        bench = boot_tests.Bench(bench_opts, "made")
        order = ["IO.SYS"] + [n for n in names if n != "IO.SYS"]
        steps = []
        for name in order:
            host = os.path.join(opts.diskette, name)
            if os.path.isdir(host):
                raise boot_tests.Failure("an MS-DOS diskette has no folder %s" % name)
            flags = mattrib_flags(host)
            if name in ("IO.SYS", "MSDOS.SYS") and flags != ("+h", "+s", "+r"):
                raise boot_tests.Failure("%s has attributes %s" % (name, flags or "none"))
            steps.append(("copy", host, name, flags or None))
        img = bench.image("made.img", steps)
        _, cluster = boot_tests.root_entry(img, b"IO      SYS")
        if cluster != 2:
            raise boot_tests.Failure("IO.SYS landed at cluster %d" % cluster)
        boot_tests.expect_handoff(bench, img, cluster)
    except (boot_tests.Failure, OSError) as e:
        print("FAIL %s" % e)
        return 1
    print("ok   the made diskette (%s) boots" % ", ".join(order))
    return 0


if __name__ == "__main__":
    sys.exit(main())
