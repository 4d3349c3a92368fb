#!/usr/bin/env python3
"""Checks that shipping executables load on every Windows they target.

For each executable given:
  * it may import from KERNEL32, USER32, GDI32 and ADVAPI32 only: no C
    runtime DLL (Windows 95 has no MSVCRT.DLL), and nothing that Windows
    would look for beside the program first (every other DLL is loaded on
    first use, by full path from the system folder);
  * every imported function must be exported by those DLLs on Windows 95,
    Windows 98 and Windows NT 4.0 (the lists in the export folder, one
    "dll function" per line);
  * the PE header must say subsystem Windows GUI, subsystem version 4.0 and
    OS version 4.0, so that the 4.0 loaders accept it;
  * exactly one application manifest (RT_MANIFEST) must be linked in.

Exit status 0 when all pass; every problem found is printed.
"""
import argparse
import os
import re
import subprocess
import sys

# KnownDLLs on every target system, or loaded into every GUI process before
# the program's own imports: a copy beside the program is never taken.
STATIC_DLLS = ("kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll")

RT_MANIFEST = 0x18


def load_exports(folder, names):
    tables = {}
    for name in names:
        exported = set()
        with open(os.path.join(folder, name + ".txt"), encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                dll, _, func = line.partition(" ")
                exported.add((dll.lower(), func))
        tables[name] = exported
    return tables


def objdump(objdump_tool, exe):
    return subprocess.run([objdump_tool, "-p", exe], check=True,
                          capture_output=True, text=True).stdout


def parse_imports(dump):
    """Yields (dll, function) for every import by name; ordinals as '#n'."""
    dll = None
    for line in dump.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).lower()
            continue
        if dll is None:
            continue
        if not line.strip():
            continue
        m = re.match(r"\s*[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if m:
            yield dll, m.group(2)
            continue
        m = re.match(r"\s*[0-9a-f]+\s+<none>\s+([0-9a-f]+)", line)
        if m:
            yield dll, "#" + str(int(m.group(1), 16))
            continue
        if not line.startswith("\t"):
            dll = None


def header_values(dump):
    values = {}
    for key in ("MajorOSystemVersion", "MinorOSystemVersion",
                "MajorSubsystemVersion", "MinorSubsystemVersion", "Subsystem"):
        m = re.search(r"^%s\s+(\S+)" % key, dump, re.M)
        values[key] = m.group(1) if m else None
    return values


def count_manifests(dump):
    """Counts the language leaves below the RT_MANIFEST type entry."""
    count = 0
    in_manifest = False
    for line in dump.split("The .rsrc Resource Directory section:", 1)[-1].splitlines():
        m = re.match(r"^[0-9a-f]{3}(\s+)Entry: ID: 0x([0-9a-f]+)", line)
        if m and len(m.group(1)) == 3:          # a type-level entry
            in_manifest = int(m.group(2), 16) == RT_MANIFEST
        elif in_manifest and "Leaf:" in line:
            count += 1
    return count


def check(exe, tables, objdump_tool):
    problems = []
    dump = objdump(objdump_tool, exe)

    refused = []
    for dll, func in parse_imports(dump):
        if dll not in STATIC_DLLS:
            if dll not in refused:
                refused.append(dll)
                problems.append("imports %s, which is not one of %s"
                                % (dll, ", ".join(d.upper() for d in STATIC_DLLS)))
            continue
        missing = [system for system, exported in tables.items() if (dll, func) not in exported]
        if missing:
            problems.append("imports %s!%s, which %s lacks" % (dll, func, " and ".join(missing)))

    h = header_values(dump)
    if h["Subsystem"] is None or int(h["Subsystem"], 16) != 2:
        problems.append("subsystem is %s, not Windows GUI (2)" % h["Subsystem"])
    for kind in ("OSystem", "Subsystem"):
        major, minor = h["Major%sVersion" % kind], h["Minor%sVersion" % kind]
        if (major, minor) != ("4", "0"):
            problems.append("%s version is %s.%s, not 4.0" % (kind.replace("OSystem", "OS"), major, minor))

    manifests = count_manifests(dump)
    if manifests != 1:
        problems.append("has %d application manifests, not exactly one" % manifests)
    return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("executables", nargs="+")
    ap.add_argument("--exports", default=os.path.join(here, "win9x-api"),
                    help="folder with win95.txt, win98.txt and winnt4.txt")
    ap.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = ap.parse_args()

    tables = load_exports(args.exports, ["win95", "win98", "winnt4"])
    failed = 0
    for exe in args.executables:
        problems = check(exe, tables, args.objdump)
        name = os.path.basename(exe)
        if problems:
            failed += 1
            print("FAIL %s" % name)
            for p in problems:
                print("     %s" % p)
        else:
            print("ok   %s" % name)
    print("%d passed, %d failed" % (len(args.executables) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
