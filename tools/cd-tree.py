#!/usr/bin/env python3
"""Lays out a Quellorn driver CD tree from tools/cd-layout.txt.

    cd-tree.py --mode test|demo --programs BUILD/programs.txt --out DIR
               [--content DIR --report FILE]

mode test: our programs from the build, the recorder at every path the CD
           starts (the Wine tests' fake CD).
mode demo: our programs from the build, the stand-in program at every path
           the CD starts (the CD of `make run`).

programs.txt (written by CMake) names the executables a build made, one
"role=path" a line; a program the build has not made yet is left out and
reported.  The tree is made afresh: DIR is emptied first.

--content puts a CD maker's own files in place: each file below it replaces
the stand-in at the same path (names matched without regard to letter case,
as Windows matches them; the CD keeps the layout's spelling), and files the
layout does not know are added.  The content is checked before anything is
laid out: a folder that cannot be read, or a name that the ISO's Joliet tree
cannot hold, ends the run with an error.  --report gets what was replaced,
what was added and which stand-ins are still on the CD.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = "\r\n"


# ---- file contents ---------------------------------------------------------

def text_file(lines, encoding="cp1252"):
    return (CRLF.join(lines) + CRLF).encode(encoding)


def autorun(_):
    return text_file(["[autorun]", "open=Setup.exe", "icon=Setup.exe"])


INF_TEXT = {
    "en": ("English", "Quellorn Hard Drive and CD-ROM Drive",
           "Quellorn Parallel Port Interface"),
    "es": ("Español", "Unidad de disco duro y unidad de CD-ROM Quellorn",
           "Interfaz de puerto paralelo Quellorn"),
    "fr": ("Français", "Disque dur et lecteur de CD-ROM Quellorn",
           "Interface de port parallèle Quellorn"),
    "diskette": ("English", "Quellorn Diskette Drive",
                 "Quellorn Diskette Drive Interface"),
}


def inf(arg):
    language, product, device = INF_TEXT[arg]
    return text_file([
        "; %s - %s" % (product, language),
        "; Copyright (c) 1999-2001 Halvorix",
        "",
        "[Version]",
        'Signature="$CHICAGO$"',
        "Class=SCSIAdapter",
        "Provider=%Halvorix%",
        "DriverVer=06/18/2001,2.10.0.0",
        "",
        "[Manufacturer]",
        "%Halvorix%=Halvorix",
        "",
        "[Halvorix]",
        '"%s"=QLPort.Install,LPTENUM\\HALVORIXQLPORT' % device,
        "",
        "[QLPort.Install]",
        "CopyFiles=QLPort.Files",
        "AddReg=QLPort.AddReg",
        "",
        "[QLPort.Files]",
        "QLPORT.VXD",
        "QLATAPI.MPD",
        "",
        "[QLPort.AddReg]",
        "HKR,,DevLoader,,*IOS",
        "HKR,,PortDriver,,QLPORT.VXD",
        "",
        "[Strings]",
        'Halvorix="Halvorix"',
    ])


README_TEXT = {
    "en": ["Quellorn Hard Drive and CD-ROM Drive - Windows setup",
           "",
           "Run Setup.exe to install the drivers, then restart Windows.",
           "Connect the drive to the parallel port before you start the setup."],
    "es": ["Unidad de disco duro y unidad de CD-ROM Quellorn - instalación para Windows",
           "",
           "Ejecute Setup.exe para instalar los controladores y reinicie Windows.",
           "Conecte la unidad al puerto paralelo antes de iniciar la instalación."],
    "fr": ["Disque dur et lecteur de CD-ROM Quellorn - installation sous Windows",
           "",
           "Lancez Setup.exe pour installer les pilotes, puis redémarrez Windows.",
           "Branchez le lecteur sur le port parallèle avant de lancer l'installation."],
}


def readme(arg):
    return text_file(README_TEXT[arg])


def dosreadme(arg):
    if arg == "hd":
        return text_file(["Quellorn Hard Drive - MS-DOS driver", "",
                          "Add this line to CONFIG.SYS:", "    device=qlhddrv.sys"],
                         "cp437")
    return text_file(["Quellorn CD-ROM Drive - MS-DOS driver", "",
                      "Add this line to CONFIG.SYS:", "    device=qlcddrv.sys",
                      "and this line to AUTOEXEC.BAT:",
                      "    @if exist qlcddrv$ mscdex.exe /d:qlcddrv$"], "cp437")


def testport(_):
    return text_file([
        "TESTPORT - Quellorn parallel port test",
        "",
        "TESTPORT checks the parallel port modes (SPP, EPP, ECP) and the",
        "connection to a Quellorn drive. Start it from MS-DOS:",
        "",
        "    testport [/lpt1 | /lpt2 | /lpt3]",
        "",
        "If the test fails, set the parallel port to EPP or ECP in the BIOS",
        "setup of your computer and try again.",
    ], "cp437")


def binary(arg):
    # A driver-like blob: its identification, then deterministic filler.
    head = ("%s - Copyright (c) 1999-2001 Halvorix - demonstration CD stand-in"
            % arg).encode("ascii")
    filler = bytes((i * 73 + 41) & 0xFF for i in range(4096 - len(head) - 2))
    return head + b"\r\n" + filler


def nasm(source, defines):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "out.bin")
        args = ["nasm", "-f", "bin", "-o", out]
        args += ["-D%s=%s" % (k, v) for k, v in defines.items()]
        subprocess.run(args + [os.path.join(HERE, "cd-files", source)], check=True)
        with open(out, "rb") as f:
            return f.read()


def nasm_string(text):
    return "'" + text.replace("'", "") + "'"


def dosdriver(arg):
    device, title = arg.split(" ", 1)
    if len(device) != 8:
        sys.exit("cd-tree: device name %r must have eight characters" % device)
    return nasm("dos_driver.asm", {"DEVICE": nasm_string(device),
                                   "TITLE": nasm_string(title)})


def dosprogram(arg):
    return nasm("dos_program.asm", {"TITLE": nasm_string(arg)})


def pdf_escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def pdf(title):
    """A small, valid one-page PDF (WinAnsi text), cross-reference included."""
    lines = [
        (24, title),
        (12, "Quellorn drives - Halvorix"),
        (12, ""),
        (12, "This guide is part of the demonstration CD."),
        (12, "The complete guide comes with the drive."),
    ]
    content = ["BT", "/F1 24 Tf", "72 720 Td", "28 TL"]
    for size, line in lines:
        content.append("/F1 %d Tf" % size)
        content.append("(%s) '" % pdf_escape(line))
    content.append("ET")
    stream = zlib.compress("\n".join(content).encode("cp1252"))
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
        b"/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
        b"/Encoding /WinAnsiEncoding >>",
        b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(stream)
        + stream + b"\nendstream",
        b"<< /Title (" + pdf_escape(title).encode("cp1252")
        + b") /Producer (Quellorn CD builder) >>",
    ]
    out = bytearray(b"%PDF-1.3\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += (b"trailer\n<< /Size %d /Root 1 0 R /Info 6 0 R >>\nstartxref\n%d\n%%%%EOF\n"
            % (len(objects) + 1, xref))
    return bytes(out)


def doc(title):
    """The drives' guides as Rich Text, which word processors open as .DOC."""
    body = [
        r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}",
        r"\paperw11906\paperh16838\margl1440\margr1440",
        r"{\f0\fs40\b %s\par}" % title,
        r"{\f0\fs20 Halvorix\par\par}",
        r"{\f0\fs24\b Installing the driver\par}",
        r"{\f0\fs20 Connect the drive to the parallel port of your computer and "
        r"switch it on. Start the setup from the Quellorn CD, or from the setup "
        r"diskette on a computer that cannot read the CD.\par\par}",
        r"{\f0\fs24\b MS-DOS\par}",
        r"{\f0\fs20 The setup diskette loads the driver through CONFIG.SYS. "
        r"Start the computer from the diskette, or copy the driver and the "
        r"CONFIG.SYS line to your hard disk.\par}",
        "}",
    ]
    return "\r\n".join(body).encode("cp1252")


GENERATORS = {
    "autorun": autorun, "inf": inf, "readme": readme, "dosreadme": dosreadme,
    "testport": testport, "binary": binary, "dosdriver": dosdriver,
    "dosprogram": dosprogram, "pdf": pdf, "doc": doc,
}


# ---- the tree --------------------------------------------------------------

def read_layout(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fields = [field.strip() for field in line.split("|")]
            if fields[0] not in ("program", "started", "file") or len(fields) < 2:
                sys.exit("%s:%d: cannot read %r" % (path, number, line))
            entries.append((fields[0], fields[1], fields[2] if len(fields) > 2 else ""))
    return entries


def read_programs(path):
    programs = {}
    if path and os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                role, _, exe = line.strip().partition("=")
                if role and exe and os.path.exists(exe):
                    programs[role] = exe
    return programs


def lay_out(mode, programs, out, layout):
    stand_in = programs.get("recorder" if mode == "test" else "standin")
    if not stand_in:
        sys.exit("cd-tree: the build has no %s program yet"
                 % ("recorder" if mode == "test" else "stand-in"))
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    missing = []
    placed = []
    for kind, relative, content in read_layout(layout):
        target = os.path.join(out, *relative.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if kind == "program":
            if content not in programs:
                missing.append("%s (%s)" % (relative, content))
                continue
            shutil.copyfile(programs[content], target)
            placed.append(relative)
        elif kind == "started":
            shutil.copyfile(stand_in, target)
        else:
            generator, _, arg = content.partition(" ")
            with open(target, "wb") as f:
                f.write(GENERATORS[generator](arg))
    return placed, missing


# ---- a CD maker's own files --------------------------------------------------

# What the Joliet tree of our image (xorriso -joliet-long) holds: names of up
# to 103 UCS-2 characters, paths of up to 240, none of the characters Joliet
# reserves; and Windows, which reads it, opens no name with < > " or |.
JOLIET_NAME_MAX = 103
JOLIET_PATH_MAX = 240
NOT_IN_JOLIET = set('*/:;?\\<>"|')


def joliet_fault(relative):
    """Why a path relative to the content folder cannot be on the CD, or None."""
    if len(relative) > JOLIET_PATH_MAX:
        return "its path is longer than %d characters" % JOLIET_PATH_MAX
    for name in relative.split("/"):
        try:
            name.encode("utf-8")
        except UnicodeEncodeError:
            return "%r is not a name in UTF-8" % os.fsencode(name)
        if len(name) > JOLIET_NAME_MAX:
            return "%r is longer than %d characters" % (name, JOLIET_NAME_MAX)
        bad = [c for c in name if c in NOT_IN_JOLIET or ord(c) < 32 or ord(c) > 0xFFFF]
        if bad:
            return "%r holds %r" % (name, "".join(bad))
    return None


def read_content(folder):
    """The files below folder as relative paths with "/", checked; exits with
    the reason when the folder or a name cannot go on the CD."""
    if not os.path.isdir(folder):
        sys.exit("cd-tree: CD_CONTENT %s is not a folder" % folder)
    problems = []
    files = []

    def unreadable(error):
        problems.append("cannot read %s: %s" % (error.filename, error.strerror))

    for top, dirs, names in os.walk(folder, onerror=unreadable):
        dirs.sort()
        # A link would publish whatever it points to, a folder's silently
        # left out: neither goes on the CD.
        for name in sorted(dirs + names):
            if os.path.islink(os.path.join(top, name)):
                problems.append("%s is a symbolic link; put what it points to in its place"
                                % os.path.join(top, name))
        for name in sorted(names):
            path = os.path.join(top, name)
            relative = os.path.relpath(path, folder).replace(os.sep, "/")
            if os.path.islink(path):
                continue
            if not os.path.isfile(path) or not os.access(path, os.R_OK):
                problems.append("cannot read %s" % path)
                continue
            files.append(relative)
    seen = {}
    for relative in files:
        fault = joliet_fault(relative)
        if fault:
            problems.append("%s cannot be written in the CD's Joliet tree: %s" % (relative, fault))
        other = seen.setdefault(relative.lower(), relative)
        if other != relative:
            problems.append("%s and %s differ only in letter case; Windows cannot tell "
                            "them apart" % (other, relative))
    if problems:
        sys.exit("\n".join("cd-tree: " + p for p in problems))
    return files


def place_content(folder, files, out, stand_ins):
    """Copies the files into the tree; returns (replaced, ours, added):
    stand-ins replaced, our own files (programs, autorun.inf) replaced,
    files added."""
    replaced, ours, added = [], [], []
    for relative in files:
        # Follow the tree's own names where they match regardless of case.
        actual = ""
        for name in relative.split("/"):
            here = os.path.join(out, actual)
            match = [n for n in (os.listdir(here) if os.path.isdir(here) else [])
                     if n.lower() == name.lower()]
            actual = os.path.join(actual, match[0] if match else name)
        target = os.path.join(out, actual)
        if os.path.isdir(target):
            sys.exit("cd-tree: %s is a file in CD_CONTENT but a folder on the CD" % relative)
        actual = actual.replace(os.sep, "/")
        if actual in stand_ins:
            replaced.append(actual)
        else:
            (ours if os.path.exists(target) else added).append(actual)
        try:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(os.path.join(folder, *relative.split("/")), target)
        except OSError as error:
            sys.exit("cd-tree: cannot put %s on the CD: %s" % (relative, error.strerror))
    return replaced, ours, added


def write_report(path, replaced, ours, added, stand_ins):
    left = [s for s in stand_ins if s not in replaced]
    lines = ["%d stand-in%s replaced by your files" % (len(replaced), "" if len(replaced) == 1 else "s")]
    lines += ["replaced a file of ours: %s" % o for o in ours]
    lines += ["added: %s" % a for a in added]
    lines.append("stand-ins still on the CD: %d" % len(left))
    lines += ["  %s" % s for s in left]
    with open(path, "w", encoding="utf-8") as f:
        f.write("".join("make-cd: %s\n" % line for line in lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--mode", choices=("test", "demo"), required=True)
    parser.add_argument("--programs", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--layout", default=os.path.join(HERE, "cd-layout.txt"))
    parser.add_argument("--content", help="a CD maker's files for the tree")
    parser.add_argument("--report", help="where the report of --content goes")
    args = parser.parse_args()
    content = read_content(args.content) if args.content else None
    placed, missing = lay_out(args.mode, read_programs(args.programs), args.out, args.layout)
    if content is not None:
        # Everything but our programs and the CD's own autorun.inf.
        stand_ins = [relative for kind, relative, content in read_layout(args.layout)
                     if kind != "program" and content != "autorun"]
        replaced, ours, added = place_content(args.content, content, args.out, stand_ins)
        if args.report:
            write_report(args.report, replaced, ours, added, stand_ins)
    print("cd-tree: %s CD in %s, our programs: %s"
          % (args.mode, args.out, ", ".join(placed) or "none"))
    for entry in missing:
        print("cd-tree: not built yet, left out: %s" % entry)
    return 0


if __name__ == "__main__":
    sys.exit(main())
