#!/usr/bin/env python3
"""Checks a Quellorn driver CD image before it is burnt.

    cd-check.py --tool CD_PATHS --programs BUILD/win32/programs.txt IMAGE.iso

The CD paths come from the programs themselves: CD_PATHS (tools/cd_paths)
asks the launcher's, Floppwright's and Lingpick's cores, with the string
tables of the shipping builds, for every path they can start, open or copy.
The image is read back by bsdtar, which did not write it.  The check fails,
naming each path and the program that wants it, when a path is not in the
Joliet tree under exactly that name (a folder named in another letter case
is accepted only where another program asks for exactly that spelling, as
Floppwright does for "000a" beside the launcher's "000A").  It also checks
autorun.inf, ISO 9660 name collisions and the 650 MB of a CD-R.

Prints a table: path, wanted by, present.  Exit status 1 on any fault.
"""

import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CD_CAPACITY = 650 * 1024 * 1024
ALL_FILES = "*.*"


def run(args):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    if result.returncode != 0:
        sys.exit("cd-check: %s failed: %s" % (args[0], result.stderr.decode(errors="replace").strip()))
    return result.stdout


# ---- what the programs want ------------------------------------------------

def read_programs(path):
    programs = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            role, _, exe = line.strip().partition("=")
            if role:
                programs[role] = exe
    return programs


def wanted_paths(tool, programs):
    """{path with "/": [(program, why), ...]}, in the order first asked."""
    for role in ("launcher", "lingpick"):
        if not os.path.isfile(programs.get(role, "")):
            sys.exit("cd-check: the win32 build has no %s yet" % role)
    out = run([tool, programs["launcher"], programs["lingpick"]]).decode("utf-8")
    wanted = {}
    for line in out.splitlines():
        path, program, why = line.split("\t")
        wanted.setdefault(path.replace("\\", "/"), []).append((program, why))
    return wanted


def launcher_on_cd():
    """Where the CD keeps the launcher, as tools/cd-layout.txt lays it out."""
    with open(os.path.join(HERE, "cd-layout.txt"), encoding="utf-8") as f:
        for line in f:
            fields = [field.strip() for field in line.split("|")]
            if len(fields) == 3 and fields[0] == "program" and fields[2] == "launcher":
                return fields[1]
    sys.exit("cd-check: tools/cd-layout.txt names no launcher")


# ---- what the image holds --------------------------------------------------

def listing(iso, options):
    """[(path, is_folder)] of one of the image's trees, as bsdtar lists it."""
    entries = []
    for line in run(["bsdtar", "--options", options, "-tvf", iso]).decode("utf-8").splitlines():
        fields = line.split(None, 8)
        if len(fields) == 9 and fields[8] != ".":
            entries.append((fields[8].rstrip("/"), fields[0].startswith("d")))
    return entries


class Tree:
    def __init__(self, listed):
        self.entries = {}
        for path, is_folder in listed:
            self.entries[path] = is_folder
            parent = os.path.dirname(path)
            while parent:
                self.entries.setdefault(parent, True)
                parent = os.path.dirname(parent)
        self.children = {}
        for path in self.entries:
            self.children.setdefault(os.path.dirname(path), []).append(os.path.basename(path))

    def resolve(self, path, spellings):
        """The image's path for a wanted one, or None.  Each name must be
        there exactly, or in another letter case that some program asks
        for (spellings: every folder path the programs name)."""
        actual = ""
        for name in path.split("/"):
            names = self.children.get(actual, [])
            joined = lambda n: actual + "/" + n if actual else n
            if name in names:
                actual = joined(name)
                continue
            others = [n for n in names if n.lower() == name.lower() and joined(n) in spellings]
            if not others:
                return None
            actual = joined(others[0])
        return actual

    def near_miss(self, path):
        """The image's path that Windows would open for a missing one."""
        actual = ""
        for name in path.split("/"):
            match = [n for n in self.children.get(actual, []) if n.lower() == name.lower()]
            if not match:
                return None
            actual = actual + "/" + match[0] if actual else match[0]
        return actual


def check_paths(wanted, tree):
    spellings = set()
    for path in wanted:
        parts = path.split("/")
        spellings.update("/".join(parts[:i]) for i in range(1, len(parts) + 1))
    rows, faults = [], []
    for path, askers in wanted.items():
        folder = path[:-len(ALL_FILES) - 1] if path.endswith("/" + ALL_FILES) else None
        # A trailing "/": a folder copied whole; any other path is a file.
        whole = path.endswith("/")
        path = path.rstrip("/")
        actual = tree.resolve(folder or path, spellings)
        present = actual is not None
        if present and folder is not None:
            # "*.*" copies the folder's files: it must be a folder with some.
            present = tree.entries[actual] and any(
                not tree.entries[(actual + "/" + n)] for n in tree.children.get(actual, []))
        elif present and tree.entries[actual] != whole:
            rows.append((path.replace("/", "\\"), askers, "NO"))
            kinds = ("file", "folder") if whole else ("folder", "file")
            faults.append("%s is a %s, wanted as a %s by %s"
                          % (path.replace("/", "\\"), kinds[0], kinds[1], describe(askers)))
            continue
        shown = "yes" if present else "NO"
        if present and actual != (folder or path):
            shown = "yes, as %s" % actual.replace("/", "\\")
        rows.append((path.replace("/", "\\"), askers, shown))
        if not present:
            miss = tree.near_miss(folder or path)
            hint = " (the image has %s)" % miss.replace("/", "\\") if miss else ""
            faults.append("missing %s%s, wanted by %s"
                          % (path.replace("/", "\\"), hint, describe(askers)))
    return rows, faults


def describe(askers):
    by_program = {}
    for program, why in askers:
        by_program.setdefault(program, []).append(why)
    parts = []
    for program, whys in by_program.items():
        shown = "; ".join(whys[:3]) + ("; and %d more" % (len(whys) - 3) if len(whys) > 3 else "")
        parts.append("%s (%s)" % (program, shown))
    return ", ".join(parts)


def check_autorun(iso, tree, launcher):
    """autorun.inf at the root must open the launcher and show its icon."""
    names = [n for n in tree.children.get("", []) if n.lower() == "autorun.inf"]
    if not names:
        return "NO", ["missing autorun.inf at the root"]
    text = run(["bsdtar", "--options", "iso9660:!rockridge", "-xOf", iso, names[0]])
    values, section = {}, None
    for line in text.decode("cp1252", errors="replace").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1].strip().lower()
        elif section == "autorun" and "=" in line:
            key, _, value = line.partition("=")
            values.setdefault(key.strip().lower(), value.strip())
    opened = values.get("open", "")
    opened = opened[1:].partition('"')[0] if opened.startswith('"') else opened.split(" ")[0]
    icon = values.get("icon", "").partition(",")[0].strip().strip('"')
    faults = []
    # Windows reads autorun.inf without regard to letter case.
    if opened.lower() != launcher.lower():
        faults.append("autorun.inf opens %r, not %s" % (opened, launcher))
    if icon.lower() != launcher.lower():
        faults.append("autorun.inf shows the icon of %r, not of %s" % (icon, launcher))
    return ("yes" if not faults else "NO"), faults


def collisions(listed, what, key):
    seen, faults = {}, []
    for path, _ in listed:
        k = (os.path.dirname(path), key(os.path.basename(path)))
        if k in seen:
            faults.append("%s name collision: %s and %s" % (what, seen[k], path))
        else:
            seen[k] = path
    return faults


def print_table(rows):
    width_path = max(len(r[0]) for r in rows)
    width_by = max(len(r[1]) for r in rows)
    print("%-*s  %-*s  %s" % (width_path, "path", width_by, "wanted by", "present"))
    for path, by, present in rows:
        print("%-*s  %-*s  %s" % (width_path, path, width_by, by, present))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", required=True, help="the cd_paths program")
    parser.add_argument("--programs", required=True, help="programs.txt of the win32 build")
    parser.add_argument("iso")
    args = parser.parse_args()
    if not os.path.isfile(args.iso):
        sys.exit("cd-check: no image %s" % args.iso)

    wanted = wanted_paths(args.tool, read_programs(args.programs))
    joliet_listed = listing(args.iso, "iso9660:!rockridge")
    joliet = Tree(joliet_listed)
    plain = listing(args.iso, "iso9660:!rockridge,iso9660:!joliet")
    rows, faults = check_paths(wanted, joliet)
    launcher = launcher_on_cd()
    shown, autorun_faults = check_autorun(args.iso, joliet, launcher)
    if launcher not in joliet.entries:
        shown = "NO"
        autorun_faults.append("missing %s at the root, which autorun.inf starts" % launcher)
    rows.insert(0, (launcher, [("autorun.inf", "open, icon")], shown))
    faults = autorun_faults + faults
    faults += collisions(plain, "ISO 9660", lambda n: n)
    faults += collisions(joliet_listed, "Joliet (letter case aside)", str.lower)
    size = os.path.getsize(args.iso)
    if size > CD_CAPACITY:
        faults.append("the image has %d bytes, more than a 650 MB CD holds (%d)" % (size, CD_CAPACITY))

    print_table([(path, ", ".join(dict.fromkeys(p for p, _ in askers)), present)
                 for path, askers, present in rows])
    print("cd-check: %d paths, image %d KiB of %d KiB" % (len(rows), size // 1024, CD_CAPACITY // 1024))
    for fault in faults:
        print("cd-check: %s" % fault)
    if faults:
        print("cd-check: FAILED, %d fault(s) in %s" % (len(faults), args.iso))
        return 1
    print("cd-check: %s is fine" % args.iso)
    return 0


if __name__ == "__main__":
    sys.exit(main())
