#!/usr/bin/env python3
"""Prints the size of each shipping executable, its code and resource
shares, and the same for the bare window program built with the same flags.

    bench/sizes.py OBJDUMP BARE_EXE NAME=EXE[:TARGET_KIB] ...
"""
import os
import subprocess
import sys


def sections(objdump, exe):
    out = subprocess.run([objdump, "-h", exe], check=True, capture_output=True, text=True).stdout
    sizes = {}
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 7 and parts[0].isdigit():
            sizes[parts[1]] = int(parts[2], 16)
    return sizes


def row(name, exe, objdump, target_kib=None, baseline=None):
    total = os.path.getsize(exe)
    s = sections(objdump, exe)
    code = s.get(".text", 0)
    rsrc = s.get(".rsrc", 0)
    line = "%-12s %7.1f KiB   code %6.1f KiB (%3d%%)   resources %6.1f KiB (%3d%%)" % (
        name, total / 1024, code / 1024, 100 * code // total, rsrc / 1024, 100 * rsrc // total)
    if baseline:
        line += "   %.1fx bare" % (total / baseline)
    if target_kib:
        verdict = "within" if total <= target_kib * 1024 else "OVER"
        line += "   target %d KiB: %s" % (target_kib, verdict)
    print(line)
    return total


def main():
    objdump, bare = sys.argv[1], sys.argv[2]
    baseline = row("bare window", bare, objdump)
    for arg in sys.argv[3:]:
        name, _, rest = arg.partition("=")
        exe, _, target = rest.rpartition(":") if rest.count(":") else (rest, "", "")
        if not os.path.exists(exe):
            print("%-12s not built" % name)
            continue
        row(name, exe, objdump, int(target) if target else None, baseline)


if __name__ == "__main__":
    main()
