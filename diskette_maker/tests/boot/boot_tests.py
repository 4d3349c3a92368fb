#!/usr/bin/env python3
"""Boots FAT12 diskette images carrying our boot sector in qemu.

Each case builds a 1.44 MB image with mtools, puts the boot sector in place,
boots it with a stand-in IO.SYS (payload.asm) that reports what it was handed
on the debug console, and watches the text screen through the monitor. The
slow-drive cases start from a stand-in hard disk (slow_drive.asm) whose first
diskette reads fail and which then starts the diskette's boot sector.

    boot_tests.py --boot-sector boot_sector.bin --payload payload.asm \
                  --nasm nasm --work DIR CASE...
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

IMAGE_BYTES = 1474560
ROOT_DIR_OFFSET = 19 * 512
ROOT_DIR_BYTES = 14 * 512
PASS_STATUS = (0x10 << 1) | 1
INVALID = "Invalid system disk"
IO_ERROR = "Disk I/O error"
REPLACE = "Replace the disk, and then press any key"
HERE = os.path.dirname(os.path.abspath(__file__))
SLOW_DRIVE = os.path.join(HERE, "slow_drive.asm")


class Failure(Exception):
    pass


def run(*args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


class Bench:
    def __init__(self, opts, case):
        self.opts = opts
        self.dir = os.path.join(opts.work, case)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        with open(opts.boot_sector, "rb") as f:
            self.boot_sector = f.read()
        if len(self.boot_sector) != 512:
            raise Failure("boot sector is %d bytes" % len(self.boot_sector))

    def path(self, name):
        return os.path.join(self.dir, name)

    def payload(self, variant=None):
        out = self.path("IO-%s.SYS" % (variant or "good"))
        if not os.path.exists(out):
            args = [self.opts.nasm, "-f", "bin", "-Werror", "-I", HERE, "-o", out]
            if variant:
                args.append("-D" + variant)
            run(*args, self.opts.payload)
        return out

    def slow_drive(self, failures, drive):
        out = self.path("slow-%d-%d.img" % (failures, drive))
        run(self.opts.nasm, "-f", "bin", "-Werror", "-I", HERE, "-DFAIL_READS=%d" % failures,
            "-DDRIVE=%d" % drive, "-o", out, SLOW_DRIVE)
        return out

    def small_file(self, name, size):
        p = self.path(name)
        with open(p, "wb") as f:
            f.write(bytes((i * 7) & 0xFF for i in range(size)))
        return p

    def image(self, name, steps):
        """steps: ("copy", host, dos, attrs) or ("delete", dos)."""
        img = self.path(name)
        if os.path.exists(img):
            os.remove(img)
        run("mformat", "-i", img, "-f", "1440", "-C", "::")
        for step in steps:
            if step[0] == "copy":
                _, host, dos, attrs = step
                run("mcopy", "-i", img, host, "::" + dos)
                if attrs:
                    run("mattrib", "-i", img, *attrs, "::" + dos)
            else:
                run("mdel", "-i", img, "::" + step[1])
        with open(img, "r+b") as f:
            f.write(self.boot_sector)
        if os.path.getsize(img) != IMAGE_BYTES:
            raise Failure("%s is %d bytes" % (img, os.path.getsize(img)))
        return img

    def system_image(self, name, before=(), variant=None, after=()):
        steps = list(before)
        steps.append(("copy", self.payload(variant), "IO.SYS", ("+h", "+s", "+r")))
        steps.extend(after)
        return self.image(name, steps)


def root_entry(img, name83):
    """(slot index, first cluster) of the root entry named name83."""
    with open(img, "rb") as f:
        f.seek(ROOT_DIR_OFFSET)
        root = f.read(ROOT_DIR_BYTES)
    for slot in range(len(root) // 32):
        entry = root[slot * 32:slot * 32 + 32]
        if entry[0] == 0:
            break
        if entry[:11] == name83:
            return slot, entry[0x1A] | entry[0x1B] << 8
    raise Failure("no root entry %r" % name83)


def deleted_slots(img):
    with open(img, "rb") as f:
        f.seek(ROOT_DIR_OFFSET)
        root = f.read(ROOT_DIR_BYTES)
    return [s for s in range(len(root) // 32) if root[s * 32] == 0xE5]


def set_first_cluster(img, slot, cluster):
    with open(img, "r+b") as f:
        f.seek(ROOT_DIR_OFFSET + slot * 32 + 0x1A)
        f.write(bytes((cluster & 0xFF, cluster >> 8)))


class Machine:
    """One qemu run, with its monitor on stdin for screen reads and keys."""

    def __init__(self, bench, img, seconds=20, drive=0, start_disk=None):
        self.bench = bench
        self.log = bench.path("debugcon-%d.log" % time.monotonic_ns())
        self.screen_file = bench.path("screen.bin")
        if start_disk:
            start = ["-drive", "if=ide,format=raw,file=" + start_disk, "-boot", "c"]
        else:
            start = ["-boot", "a"]
        self.proc = subprocess.Popen(
            ["timeout", str(seconds), "qemu-system-i386", "-display", "none", "-no-reboot",
             "-drive", "if=floppy,index=%d,format=raw,file=%s" % (drive, img)] + start + [
             "-debugcon", "file:" + self.log,
             "-device", "isa-debug-exit,iobase=0xf4,iosize=4",
             "-serial", "none", "-parallel", "none", "-net", "none",
             "-monitor", "stdio"],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def command(self, text):
        try:
            self.proc.stdin.write((text + "\n").encode())
            self.proc.stdin.flush()
        except BrokenPipeError:
            raise Failure("qemu ended before %r" % text)

    def screen(self):
        if os.path.exists(self.screen_file):
            os.remove(self.screen_file)
        self.command('pmemsave 0xb8000 4000 "%s"' % self.screen_file)
        for _ in range(200):
            if os.path.exists(self.screen_file) and os.path.getsize(self.screen_file) == 4000:
                break
            if self.proc.poll() is not None:
                raise Failure("qemu ended while the screen was read")
            time.sleep(0.01)
        with open(self.screen_file, "rb") as f:
            cells = f.read()
        text = "".join(chr(c) if 32 <= c < 127 else " " for c in cells[0::2])
        return "\n".join(text[i:i + 80].rstrip() for i in range(0, 2000, 80))

    def wait_for(self, needle, count=1, seconds=10):
        deadline = time.monotonic() + seconds
        text = ""
        while time.monotonic() < deadline:
            text = self.screen()
            if text.count(needle) >= count:
                return text
            time.sleep(0.05)
        raise Failure("screen never showed %r %d time(s):\n%s" % (needle, count, text))

    def finish(self):
        try:
            status = self.proc.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise Failure("qemu did not end")
        with open(self.log, "r", errors="replace") as f:
            return status, f.read()

    def quit(self):
        if self.proc.poll() is None:
            self.command("quit")
        self.proc.wait(timeout=20)


def parse_report(text):
    fields = dict(re.findall(r"(\w+)=(\S+)", text))
    if "RESULT" not in fields:
        raise Failure("the payload did not report:\n" + text)
    return fields


def expect_handoff(bench, img, cluster):
    check_handoff(*Machine(bench, img).finish(), cluster)


def check_handoff(status, log, cluster, drive=0):
    fields = parse_report(log)
    wanted = {
        "SS": "0000", "BP": "7C00", "DL": "%02X" % drive, "DRIVE": "%02X" % drive,
        "LBA": "00000021",
        "INT1E": "0000:0522", "SPT": "12", "SETTLE": "0F", "MARKS": "110",
        "DI": "%04X" % cluster, "RESULT": "PASS",
    }
    for key, value in wanted.items():
        if fields.get(key) != value:
            raise Failure("%s=%s, wanted %s\n%s" % (key, fields.get(key), value, log))
    if int(fields["SP"], 16) > 0x7C00 - 12:
        raise Failure("SP=%s is above BP-12" % fields["SP"])
    stack = fields["STACK"].split(",")
    if stack[:2] != ["0078", "0000"] or stack[2:] == ["0522", "0000"]:
        raise Failure("stack words %s do not lead back to the old INT 1Eh" % stack)
    if "BIOS1E" in fields and stack[2:] != fields["BIOS1E"].split(","):
        raise Failure("stack words %s do not lead back to the BIOS's INT 1Eh %s"
                      % (stack, fields["BIOS1E"]))
    if status != PASS_STATUS:
        raise Failure("qemu exit status %d\n%s" % (status, log))


def expect_failure_message(m, message, other):
    text = m.wait_for(REPLACE)
    if message not in text or other in text:
        raise Failure("wanted %r alone:\n%s" % (message, text))
    # Still waiting for a key: no second boot by itself.
    time.sleep(0.5)
    if m.screen().count(message) != 1:
        raise Failure("the loader did not wait for a key")
    return text


# --- cases --------------------------------------------------------------

def case_handoff(bench):
    # IO.SYS first on a fresh diskette: cluster 2.
    img = bench.system_image("first.img", after=[
        ("copy", bench.small_file("MSDOS.SYS", 0), "MSDOS.SYS", ("+h", "+s", "+r")),
        ("copy", bench.small_file("COMMAND.COM", 3000), "COMMAND.COM", None)])
    slot, cluster = root_entry(img, b"IO      SYS")
    if cluster != 2:
        raise Failure("IO.SYS landed at cluster %d" % cluster)
    expect_handoff(bench, img, 2)

    # Behind other files' clusters.
    img = bench.system_image("later.img", before=[
        ("copy", bench.small_file("FILLER.BIN", 3000), "FILLER.BIN", None)])
    slot, cluster = root_entry(img, b"IO      SYS")
    if cluster <= 2:
        raise Failure("IO.SYS did not land at a later cluster")
    expect_handoff(bench, img, cluster)

    # Its entry in the second sector of the root directory.
    empty = bench.small_file("EMPTY", 0)
    img = bench.system_image("second-sector.img", before=[
        ("copy", empty, "F%02d.TXT" % i, None) for i in range(16)])
    slot, cluster = root_entry(img, b"IO      SYS")
    if slot < 16:
        raise Failure("IO.SYS entry is in slot %d" % slot)
    expect_handoff(bench, img, cluster)

    # In a reused deleted slot, with another deleted entry before it.
    img = bench.system_image("deleted-slot.img", before=[
        ("copy", empty, "OLD1.TXT", None), ("copy", empty, "OLD2.TXT", None),
        ("copy", empty, "KEEP.TXT", None), ("delete", "OLD2.TXT"), ("delete", "OLD1.TXT")])
    slot, cluster = root_entry(img, b"IO      SYS")
    if slot not in (0, 1) or not deleted_slots(img):
        raise Failure("IO.SYS is in slot %d, deleted %s" % (slot, deleted_slots(img)))
    expect_handoff(bench, img, cluster)


def case_missing(bench):
    img = bench.image("missing.img", [
        ("copy", bench.small_file("COMMAND.COM", 3000), "COMMAND.COM", None)])
    m = Machine(bench, img, seconds=60)
    try:
        expect_failure_message(m, INVALID, IO_ERROR)
        m.command("sendkey ret")
        m.wait_for(INVALID, count=2)
    finally:
        m.quit()


def case_read_error(bench):
    img = bench.system_image("read-error.img")
    slot, _ = root_entry(img, b"IO      SYS")
    set_first_cluster(img, slot, 4000)
    m = Machine(bench, img, seconds=60)
    try:
        expect_failure_message(m, IO_ERROR, INVALID)
        m.command("sendkey ret")
        m.wait_for(IO_ERROR, count=2)
    finally:
        m.quit()


def case_disk_swap(bench):
    missing = bench.image("swap-missing.img", [])
    good = bench.system_image("swap-good.img")
    m = Machine(bench, missing, seconds=60)
    expect_failure_message(m, INVALID, IO_ERROR)
    m.command("change floppy0 %s raw" % good)
    time.sleep(0.3)
    m.command("sendkey ret")
    status, log = m.finish()
    fields = parse_report(log)
    if fields["RESULT"] != "PASS" or status != PASS_STATUS:
        raise Failure("the swapped-in diskette did not boot:\n" + log)


def case_bad_signature(bench):
    for variant in ("BAD_MZ", "BAD_BJ"):
        img = bench.system_image(variant + ".img", variant=variant)
        m = Machine(bench, img)
        try:
            expect_failure_message(m, INVALID, IO_ERROR)
        finally:
            m.quit()
        if os.path.getsize(m.log):
            raise Failure("%s: the payload ran" % variant)


# Diskette reads that fail before the drive is ready, and the boot drive.
# Five failures outlast the loader's attempts at its first sector: it must
# say so, wait for a key, give the BIOS its INT 1Eh vector back and boot on
# the restart, when the drive answers.
SLOW_DRIVE_CASES = {
    # name: (failed reads, BIOS drive, boots at once)
    "one_failed_read": (1, 0, True),
    "four_failed_reads": (4, 0, True),
    "five_failed_reads": (5, 0, False),
    "drive_b": (0, 1, True),
}


def case_slow_drive(bench, failures, drive, boots):
    img = bench.system_image("slow.img")
    m = Machine(bench, img, seconds=20 if boots else 60, drive=drive,
                start_disk=bench.slow_drive(failures, drive))
    try:
        if not boots:
            expect_failure_message(m, IO_ERROR, INVALID)
            m.command("sendkey ret")
        check_handoff(*m.finish(), 2, drive)
    finally:
        m.quit()


CASES = {
    "handoff": case_handoff,
    "missing": case_missing,
    "read_error": case_read_error,
    "disk_swap": case_disk_swap,
    "bad_signature": case_bad_signature,
}
CASES.update({name: lambda bench, row=row: case_slow_drive(bench, *row)
              for name, row in SLOW_DRIVE_CASES.items()})


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--boot-sector", required=True)
    ap.add_argument("--payload", required=True)
    ap.add_argument("--nasm", default="nasm")
    ap.add_argument("--work", required=True)
    ap.add_argument("cases", nargs="*", default=list(CASES))
    opts = ap.parse_args()
    failed = 0
    for name in opts.cases:
        start = time.monotonic()
        try:
            CASES[name](Bench(opts, name))
            print("ok   %-14s %.2f s" % (name, time.monotonic() - start))
        except (Failure, subprocess.CalledProcessError) as e:
            failed += 1
            print("FAIL %-14s %s" % (name, e))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
