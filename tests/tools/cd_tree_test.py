#!/usr/bin/env python3
"""Checks the CD trees that tools/cd-tree.py lays out."""

import importlib.util
import os
import re
import struct
import sys
import tempfile
import unittest
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
_source = importlib.util.spec_from_file_location(
    "cd_tree", os.path.join(ROOT, "tools", "cd-tree.py"))
cd_tree = importlib.util.module_from_spec(_source)
_source.loader.exec_module(cd_tree)


class Pdf(unittest.TestCase):
    def check(self, title):
        data = cd_tree.pdf(title)
        self.assertTrue(data.startswith(b"%PDF-1."))
        self.assertTrue(data.rstrip().endswith(b"%%EOF"))
        # startxref points at the table, and every entry at its object.
        xref = int(re.search(rb"startxref\n(\d+)\n", data).group(1))
        self.assertEqual(data[xref:xref + 4], b"xref")
        count = int(re.match(rb"xref\n0 (\d+)\n", data[xref:]).group(1))
        entries = re.findall(rb"(\d{10}) 00000 n ", data[xref:])
        self.assertEqual(len(entries), count - 1)
        for number, offset in enumerate(entries, 1):
            self.assertTrue(data[int(offset):].startswith(b"%d 0 obj" % number), number)
        # The page's text is there, in the reader's code page.
        stream = re.search(rb"stream\n(.*?)\nendstream", data, re.S).group(1)
        self.assertIn(cd_tree.pdf_escape(title).encode("cp1252"), zlib.decompress(stream))

    def test_titles(self):
        for title in ["How to Make a CD with VelmoraCD",
                      "Créer un CD à l'aide de VelmoraCD",
                      "Brackets (and) back\\slashes"]:
            with self.subTest(title=title):
                self.check(title)


class DosFiles(unittest.TestCase):
    def test_driver_header(self):
        data = cd_tree.dosdriver("QLCDDRV$ Quellorn CD-ROM drive")
        next_driver, attributes, strategy, interrupt = struct.unpack_from("<IHHH", data)
        self.assertEqual(next_driver, 0xFFFFFFFF)
        self.assertEqual(attributes, 0x8000)  # character device
        self.assertEqual(data[10:18], b"QLCDDRV$")
        self.assertLess(strategy, len(data))
        self.assertLess(interrupt, len(data))
        self.assertEqual(data[strategy:strategy + 2], b"\x2e\x89")  # mov [cs:..], bx
        self.assertIn(b"Quellorn CD-ROM drive driver", data)
        self.assertTrue(data.rstrip().endswith(b"$"))

    def test_device_name_must_have_eight_characters(self):
        with self.assertRaises(SystemExit):
            cd_tree.dosdriver("QLCD$ too short")

    def test_program_prints_and_ends(self):
        data = cd_tree.dosprogram("MS-DOS CD-ROM extensions")
        self.assertEqual(data[0], 0xBA)  # mov dx, message (loaded at 100h)
        message = struct.unpack_from("<H", data, 1)[0] - 0x100
        self.assertTrue(data[message:].startswith(b"MS-DOS CD-ROM extensions"))
        self.assertTrue(data.rstrip().endswith(b"$"))
        self.assertIn(b"\xb8\x00\x4c\xcd\x21", data)  # mov ax, 4C00h; int 21h


class Layout(unittest.TestCase):
    def lay_out(self, mode, roles):
        tmp = tempfile.TemporaryDirectory()
        self.addCleanup(tmp.cleanup)
        programs = {}
        for role in roles:
            path = os.path.join(tmp.name, role + ".exe")
            with open(path, "wb") as f:
                f.write(role.encode())
            programs[role] = path
        out = os.path.join(tmp.name, "cd")
        placed, missing = cd_tree.lay_out(mode, programs, out,
                                          os.path.join(ROOT, "tools", "cd-layout.txt"))
        self.assertEqual(len(placed) + len(missing), 3)  # the three programs
        return out, missing

    def read(self, out, relative):
        with open(os.path.join(out, *relative.split("/")), "rb") as f:
            return f.read()

    def test_programs_and_started_paths(self):
        cases = [
            ("test", "recorder"),
            ("demo", "standin"),
        ]
        for mode, stand_in in cases:
            with self.subTest(mode=mode):
                out, missing = self.lay_out(mode, ["launcher", "lingpick", stand_in])
                self.assertEqual(missing, ["Utility/Floppwright.exe (floppwright)"])
                self.assertEqual(self.read(out, "Setup.exe"), b"launcher")
                self.assertEqual(self.read(out, "Utility/Lingpick .exe"), b"lingpick")
                for started in ["HD and CD-ROM/0009/Setup.exe", "HD and CD-ROM/000A/Setup.exe",
                                "HD and CD-ROM/000C/Setup.exe", "Diskette Drive/Setup.exe",
                                "Acrobat/English/ar500enu.exe", "Acrobat/Español/ar405esl.exe",
                                "Acrobat/Français/ar500fra.exe", "Utility/testport.exe"]:
                    self.assertEqual(self.read(out, started), stand_in.encode(), started)

    def test_no_stand_in_no_tree(self):
        with self.assertRaises(SystemExit):
            self.lay_out("test", ["launcher", "standin"])

    def test_fresh_tree(self):
        out, _ = self.lay_out("demo", ["standin"])
        with open(os.path.join(out, "stale.txt"), "w") as f:
            f.write("left over")
        cd_tree.lay_out("demo", {"standin": os.path.join(os.path.dirname(out), "standin.exe")},
                        out, os.path.join(ROOT, "tools", "cd-layout.txt"))
        self.assertFalse(os.path.exists(os.path.join(out, "stale.txt")))

    def test_autorun_and_text_files_use_crlf(self):
        out, _ = self.lay_out("demo", ["standin"])
        self.assertEqual(self.read(out, "autorun.inf"),
                         b"[autorun]\r\nopen=Setup.exe\r\nicon=Setup.exe\r\n")
        for text in ["HD and CD-ROM/000C/README.TXT", "Utility/testport.txt",
                     "HD and CD-ROM/0009/QUELLORN.INF"]:
            data = self.read(out, text)
            self.assertNotIn(b"\n", data.replace(b"\r\n", b""), text)
        # Accents in the ANSI code page the Windows programs read.
        self.assertIn("redémarrez".encode("cp1252"),
                      self.read(out, "HD and CD-ROM/000C/README.TXT"))

    def test_bad_layout_line(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("copy | Setup.exe\n")
        self.addCleanup(os.unlink, f.name)
        with self.assertRaises(SystemExit):
            cd_tree.read_layout(f.name)


if __name__ == "__main__":
    sys.exit(unittest.main())
