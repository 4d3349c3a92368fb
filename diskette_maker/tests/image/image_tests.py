#!/usr/bin/env python3
"""Checks floppwright-image with readers that are not ours.

Every image goes through fsck.fat, its files through mattrib and mcopy, and
the MS-DOS images through qemu with the boot test's stand-in IO.SYS.

    image_tests.py --tool floppwright-image --cd-tree tools/cd-tree.py \
                   --records DIR --payload payload.asm --work DIR CASE...
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
BOOT_DIR = os.path.join(HERE, "..", "boot")
sys.path.insert(0, BOOT_DIR)
import boot_tests  # noqa: E402  (the loader's own qemu bench)

Failure = boot_tests.Failure
PRODUCTS = ("hd", "cdrom", "diskette")
LANGUAGE_FOLDERS = {"en": "0009", "es": "000A", "fr": "000C"}
GUIDES = {"hd": "HDGUIDE.DOC", "cdrom": "CDGUIDE.DOC", "diskette": "QLGUIDE.DOC"}
DOS_FOLDERS = {"hd": "HD and CD-ROM/MS-DOS Hard Drive", "cdrom": "HD and CD-ROM/MS-DOS CD-ROM",
               "diskette": "Diskette Drive"}
CONFIG = {"hd": "config_hard_drive", "cdrom": "config_cdrom", "diskette": "config_diskette"}
CLUSTERS = 2847


def run(args, expect=0, user=None):
    if user is not None and os.getuid() == 0:
        # Root writes anywhere; a read-only folder needs someone else.
        args = ["setpriv", "--reuid", str(user), "--regid", str(user), "--clear-groups"] + args
    p = subprocess.run(args, capture_output=True, text=True)
    if expect is not None and p.returncode != expect:
        raise Failure("%s ended with %d, wanted %d:\n%s%s"
                      % (" ".join(args), p.returncode, expect, p.stdout, p.stderr))
    return p


class Bench:
    def __init__(self, opts, case):
        self.opts = opts
        self.dir = os.path.join(opts.work, case)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def demo_cd(self, name="cd"):
        """The demo CD of `make run`, with a small file in the stand-in's place."""
        standin = self.path("standin.exe")
        with open(standin, "wb") as f:
            f.write(b"MZ stand-in setup program" * 40)
        programs = self.path("programs.txt")
        with open(programs, "w") as f:
            f.write("standin=%s\n" % standin)
        out = self.path(name)
        run(["python3", self.opts.cd_tree, "--mode", "demo", "--programs", programs, "--out", out])
        return out

    def system_files(self):
        folder = self.path("ebd")
        os.makedirs(folder, exist_ok=True)
        run([self.opts.nasm, "-f", "bin", "-Werror", "-I", BOOT_DIR, "-o", os.path.join(folder, "IO.SYS"),
             self.opts.payload])
        with open(os.path.join(folder, "COMMAND.COM"), "wb") as f:
            f.write(bytes(range(256)) * 12)
        return folder

    def tool(self, cd, product, variant, language, out, *extra, expect=0, user=None):
        return run([self.opts.tool, "--cd", cd, "--product", product, "--variant", variant,
                    "--language", language, "-o", out] + list(extra), expect=expect, user=user)

    def record(self, name):
        with open(os.path.join(self.opts.records, name + ".bin"), "rb") as f:
            return f.read()


def tree(folder, prefix=""):
    """{diskette path: host file} of everything below folder."""
    files = {}
    for name in sorted(os.listdir(folder)):
        host = os.path.join(folder, name)
        if os.path.isdir(host):
            files.update(tree(host, prefix + name + "/"))
        else:
            files[prefix + name] = host
    return files


def planned(cd, product, variant, language, system):
    """What the diskette should hold: {path: bytes or host file}, attributes."""
    files, attributes = {}, {}
    if product != "diskette" and variant == "windows":
        files.update(tree(os.path.join(cd, "HD and CD-ROM", LANGUAGE_FOLDERS[language])))
        files.update(tree(os.path.join(cd, "HD and CD-ROM", "Drivers"), "Drivers/"))
    else:
        files.update(tree(os.path.join(cd, *DOS_FOLDERS[product].split("/"))))
        files["CONFIG.SYS"] = CONFIG[product]
        if product == "cdrom":
            files["AUTOEXEC.BAT"] = "autoexec_cdrom"
        if system:
            files["IO.SYS"] = os.path.join(system, "IO.SYS")
            files["COMMAND.COM"] = os.path.join(system, "COMMAND.COM")
            files["MSDOS.SYS"] = b""
            attributes["IO.SYS"] = attributes["MSDOS.SYS"] = "SHR"
    files[GUIDES[product]] = os.path.join(cd, "User's Guides", GUIDES[product])
    if product != "diskette":
        files["testport.exe"] = os.path.join(cd, "Utility", "testport.exe")
        files["testport.txt"] = os.path.join(cd, "Utility", "testport.txt")
    return files, attributes


def image_attributes(img):
    """{path: "SHR" letters} of every file, as mattrib reads them."""
    out = run(["mattrib", "-i", img, "-/", "::"]).stdout
    found = {}
    for line in out.splitlines():
        m = re.match(r"^(.{9})\s+::/(.*)$", line)
        if not m:
            raise Failure("mattrib line %r" % line)
        found[m.group(2)] = "".join(c for c in m.group(1) if c in "SHR")
    return found


def check_image(bench, img, expected, attributes):
    fsck = run(["fsck.fat", "-n", "-v", img], expect=None)
    if fsck.returncode != 0 or "differ" in fsck.stdout:
        raise Failure("fsck.fat -n %s:\n%s%s" % (img, fsck.stdout, fsck.stderr))
    listing = run(["mdir", "-i", img, "-/", "-a", "-b", "::"]).stdout.splitlines()
    found = sorted(p[3:] for p in listing if not p.endswith("/"))
    folders = [p for p in listing if p.endswith("/")]
    if found != sorted(expected):
        raise Failure("%s holds %s,\nplanned %s" % (img, found, sorted(expected)))
    got = image_attributes(img)
    for name in expected:
        if got.get(name, "") != attributes.get(name, ""):
            raise Failure("%s: %s has attributes %r, wanted %r"
                          % (img, name, got.get(name), attributes.get(name, "")))
    extracted = bench.path("extracted")
    shutil.rmtree(extracted, ignore_errors=True)
    os.makedirs(extracted)
    run(["mcopy", "-i", img, "-s", "-n", "-m", "::*", extracted])
    for name, source in expected.items():
        if isinstance(source, str) and os.path.isabs(source):
            with open(source, "rb") as f:
                want = f.read()
        elif isinstance(source, str):
            want = bench.record(source)
        else:
            want = source
        with open(os.path.join(extracted, *name.split("/")), "rb") as f:
            if f.read() != want:
                raise Failure("%s: %s differs from its source" % (img, name))
    return folders


# --- cases --------------------------------------------------------------

def case_every_image(bench):
    """The 18 images of `make run`, the MS-DOS ones with system files."""
    cd = bench.demo_cd()
    system = bench.system_files()
    for product in PRODUCTS:
        for variant in ("windows", "msdos"):
            for language in ("en", "es", "fr"):
                img = bench.path("%s-%s-%s.img" % (product, variant, language))
                dos = variant == "msdos" or product == "diskette"
                extra = ["--system-files", system] if dos else []
                bench.tool(cd, product, variant, language, img, *extra)
                if os.path.getsize(img) != boot_tests.IMAGE_BYTES:
                    raise Failure("%s is %d bytes" % (img, os.path.getsize(img)))
                expected, attributes = planned(cd, product, variant, language, system if dos else None)
                folders = check_image(bench, img, expected, attributes)
                if (folders != []) != (not dos):
                    raise Failure("%s has folders %s" % (img, folders))
                if dos:
                    slot, cluster = boot_tests.root_entry(img, b"IO      SYS")
                    if (slot, cluster) != (0, 2):
                        raise Failure("%s: IO.SYS in slot %d at cluster %d" % (img, slot, cluster))
    # Made again from the same files: the same bytes, serial number included.
    again = bench.path("again.img")
    bench.tool(cd, "cdrom", "msdos", "fr", again, "--system-files", system)
    with open(again, "rb") as a, open(bench.path("cdrom-msdos-fr.img"), "rb") as b:
        if a.read() != b.read():
            raise Failure("the same sources gave different images")


def case_long_names(bench):
    cd = bench.demo_cd()
    folder = os.path.join(cd, "Diskette Drive")
    shutil.rmtree(folder)
    names = ["Read Me First.txt", "setup.inf.bak", "lower.txt", "MixedCase.Txt",
             "Installation Notes.txt", "Installation Guide.txt", "Installation Extra.txt",
             "Installieren.txt", "a b.c d", "x+y=z[1].txt", "UPPER.TXT", "LongExtension.html",
             ".profile", "Español.txt", "Café/Crème brûlée.txt",
             "Sub Folder/inner file with a rather long name, to span entries.txt",
             "Sub Folder/Deeper/DEEP.BIN", "Sub Folder/empty"]
    for i, name in enumerate(names):
        host = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(host), exist_ok=True)
        with open(host, "wb") as f:
            f.write(("%s\r\n" % name).encode() * (0 if name.endswith("empty") else 40 * i + 1))
    img = bench.path("long.img")
    bench.tool(cd, "diskette", "msdos", "en", img, "--no-startup")
    expected, _ = planned(cd, "diskette", "msdos", "en", None)
    check_image(bench, img, expected, {})
    short = run(["mdir", "-i", img, "::"]).stdout
    for tail in ("INSTAL~1", "INSTAL~2", "INSTAL~3", "INSTAL~4"):
        if tail not in short:
            raise Failure("no short name %s:\n%s" % (tail, short))


def case_replaced_and_moved(bench):
    """A CONFIG.SYS among the product files replaces the one written before
    AUTOEXEC.BAT, which moves down; an IO.SYS of the product folder lands
    behind other files and must still end up first, at cluster 2."""
    cd = bench.demo_cd()
    folder = os.path.join(cd, "HD and CD-ROM", "MS-DOS CD-ROM")
    with open(os.path.join(folder, "CONFIG.SYS"), "wb") as f:
        f.write(b"device=qlcddrv.sys /v\r\n" * 60)
    run([bench.opts.nasm, "-f", "bin", "-Werror", "-I", BOOT_DIR, "-o", os.path.join(folder, "IO.SYS"),
         bench.opts.payload])
    img = bench.path("moved.img")
    bench.tool(cd, "cdrom", "msdos", "en", img, "--no-startup")
    expected, _ = planned(cd, "cdrom", "msdos", "en", None)
    expected["CONFIG.SYS"] = os.path.join(folder, "CONFIG.SYS")
    check_image(bench, img, expected, {})
    slot, cluster = boot_tests.root_entry(img, b"IO      SYS")
    if (slot, cluster) != (0, 2):
        raise Failure("IO.SYS in slot %d at cluster %d" % (slot, cluster))
    boot_tests.expect_handoff(bench, img, 2)


def case_from_the_iso(bench):
    """The CD's ISO image gives the diskette of its tree; every file comes
    read-only, as files copied from a CD do."""
    cd = bench.demo_cd()
    iso = bench.path("cd.iso")
    run(["xorriso", "-as", "mkisofs", "-quiet", "-input-charset", "UTF-8", "-r", "-J",
         "-joliet-long", "-o", iso, cd])
    img = bench.path("iso.img")
    temp = bench.path("tmp")
    os.makedirs(temp)
    os.environ["TMPDIR"] = temp
    try:
        bench.tool(iso, "hd", "windows", "fr", img)
        expected, _ = planned(cd, "hd", "windows", "fr", None)
        check_image(bench, img, expected, {name: "R" for name in expected})
        bench.tool(bench.path("programs.txt"), "hd", "windows", "fr", img, expect=1)
    finally:
        del os.environ["TMPDIR"]
    if os.listdir(temp):
        raise Failure("an unpacked CD stayed behind: %s" % os.listdir(temp))


def case_boots(bench):
    cd = bench.demo_cd()
    system = bench.system_files()
    for product in PRODUCTS:
        img = bench.path("%s.img" % product)
        bench.tool(cd, product, "msdos", "en", img, "--system-files", system)
        boot_tests.expect_handoff(bench, img, 2)


def case_refusals(bench):
    cd = bench.demo_cd()
    system = bench.system_files()
    out = bench.path("out")
    os.makedirs(out)

    def refused(what, product, wanted, *extra, cd=cd, target=None, user=None, status=1):
        target = target or os.path.join(out, "x.img")
        before = sorted(os.listdir(os.path.dirname(target)))
        p = bench.tool(cd, product, "msdos", "en", target, *extra, expect=status, user=user)
        if not re.search(wanted, p.stderr):
            raise Failure("%s: said %r, wanted %r" % (what, p.stderr, wanted))
        if sorted(os.listdir(os.path.dirname(target))) != before:
            raise Failure("%s: left %s" % (what, os.listdir(os.path.dirname(target))))

    locked = bench.path("locked")
    os.makedirs(locked)
    os.chmod(locked, 0o555)
    refused("read-only folder", "hd", r"cannot write .*locked/x\.img: Permission denied",
            target=os.path.join(locked, "x.img"), user=65534)

    kept = os.path.join(out, "kept.img")
    with open(kept, "wb") as f:
        f.write(b"an older image")
    os.chmod(kept, 0o444)
    refused("read-only file", "hd", r"kept\.img exists and is read-only", target=kept)
    os.chmod(kept, 0o644)

    lacking = bench.demo_cd("lacking")
    os.remove(os.path.join(lacking, "User's Guides", "CDGUIDE.DOC"))
    refused("missing guide", "cdrom", r"lacking/User's Guides/CDGUIDE\.DOC is missing", cd=lacking,
            target=kept)
    with open(kept, "rb") as f:
        if f.read() != b"an older image":
            raise Failure("a refused run spoilt the file it was to replace")
    os.remove(os.path.join(system, "COMMAND.COM"))
    refused("missing system file", "cdrom", r"ebd/COMMAND\.COM is missing", "--system-files", system)
    refused("missing CD", "hd", r"CD folder .*nowhere does not exist", cd=bench.path("nowhere"))

    # 1.5 MB more: the shortfall is counted in whole clusters, folders'
    # and all.
    big = bench.demo_cd("big")
    with open(os.path.join(big, "Diskette Drive", "HUGE.BIN"), "wb") as f:
        f.write(b"\x5a" * 1500000)
    expected, _ = planned(big, "diskette", "msdos", "en", None)
    clusters = sum(-(-(len(bench.record(s)) if not os.path.isabs(s) else os.path.getsize(s)) // 512)
                   for s in expected.values())
    refused("too large", "diskette", r"need %s bytes more" % format((clusters - CLUSTERS) * 512, ","),
            "--no-startup", cd=big)

    # Nothing from outside the CD, from its tree or its ISO alike: a link to
    # a private file, a name that Windows would read as a path, a file of
    # 4 GiB (counted in 64 bits), an ISO whose hard links unpack past a CD.
    secret = bench.path("secret")
    with open(secret, "w") as f:
        f.write("private")
    hostile = (
        ("link", r"LINK\.TXT is not a plain file", lambda d: os.symlink(secret, os.path.join(d, "LINK.TXT"))),
        ("backslash", r"has a name no diskette can hold",
         lambda d: open(os.path.join(d, "..\\..\\secret"), "w").close()),
        ("huge", r"need 4,29\d,\d{3},\d{3} bytes more",
         lambda d: open(os.path.join(d, "HUGE.BIN"), "w").truncate(4 << 30)),
    )
    for name, wanted, plant in hostile:
        tree = bench.demo_cd(name)
        plant(os.path.join(tree, "Diskette Drive"))
        refused(name, "diskette", wanted, cd=tree)
        if name != "huge":
            iso = bench.path(name + ".iso")
            run(["xorriso", "-as", "mkisofs", "-quiet", "-r", "-J", "-joliet-long", "-o", iso, tree])
            refused(name + " in the ISO", "diskette", wanted, cd=iso)
    bomb = bench.demo_cd("bomb")
    one = os.path.join(bomb, "Diskette Drive", "ONE.BIN")
    with open(one, "wb") as f:
        f.write(b"\x5a" * (1 << 20))
    for i in range(750):
        os.link(one, os.path.join(bomb, "Diskette Drive", "L%d.BIN" % i))
    iso = bench.path("bomb.iso")
    run(["xorriso", "-outdev", iso, "-hardlinks", "on", "-map", bomb, "/"])
    refused("ISO bomb", "diskette", r"more than a CD holds", cd=iso)

    for args, wanted in ((["--product", "zip"], r"unknown product.*zip"),
                         (["--variant", "os2"], r"unknown variant"), (["--frobnicate"], r"unknown option")):
        p = run([bench.opts.tool, "--cd", cd, "--product", "hd", "--variant", "msdos",
                 "--language", "en", "-o", os.path.join(out, "x.img")] + args, expect=2)
        if not re.search(wanted, p.stderr):
            raise Failure("%s: said %r" % (args, p.stderr))
    if "Exit status" not in run([bench.opts.tool, "--help"]).stdout:
        raise Failure("--help tells nothing")


CASES = {
    "every_image": case_every_image,
    "long_names": case_long_names,
    "boots": case_boots,
    "replaced_and_moved": case_replaced_and_moved,
    "from_the_iso": case_from_the_iso,
    "refusals": case_refusals,
}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tool", required=True)
    ap.add_argument("--cd-tree", required=True)
    ap.add_argument("--records", required=True)
    ap.add_argument("--payload", required=True)
    ap.add_argument("--nasm", default="nasm")
    ap.add_argument("--work", required=True)
    ap.add_argument("cases", nargs="*", default=list(CASES))
    opts = ap.parse_args()
    opts.work = os.path.abspath(opts.work)
    # mtools writes long names in the locale's character set.
    os.environ["LC_ALL"] = "C.UTF-8"
    failed = 0
    for name in opts.cases:
        start = time.monotonic()
        try:
            CASES[name](Bench(opts, name))
            print("ok   %-12s %.2f s" % (name, time.monotonic() - start))
        except (Failure, subprocess.CalledProcessError, OSError) as e:
            failed += 1
            print("FAIL %-12s %s" % (name, e))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
