#!/usr/bin/env python3
"""The images Floppwright -image wrote under Wine, made again by the build's
floppwright-image from the same CD and system files: the bytes must agree.

    image_matches_native.py --tool floppwright-image --cd DIR --kept DIR
"""

import argparse
import os
import subprocess
import sys

# image name under --kept: product, variant, language
IMAGES = {
    os.path.join("0009 wine", "cdrom-msdos-fr.img"): ("cdrom", "msdos", "fr"),
    "hd-windows-en.img": ("hd", "windows", "en"),
    "nodrive.img": ("diskette", "msdos", "en"),
}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tool", required=True)
    ap.add_argument("--cd", required=True)
    ap.add_argument("--kept", required=True)
    opts = ap.parse_args()
    failed = 0
    for name, (product, variant, language) in IMAGES.items():
        wine = os.path.join(opts.kept, name)
        native = os.path.join(opts.kept, "native-" + os.path.basename(name))
        subprocess.run([opts.tool, "--cd", opts.cd, "--product", product, "--variant", variant,
                        "--language", language, "--system-files", os.path.join(opts.kept, "ebd"),
                        "-o", native], check=True)
        with open(wine, "rb") as a, open(native, "rb") as b:
            ours, theirs = a.read(), b.read()
        if ours == theirs:
            print("ok   %s: the same %d bytes" % (name, len(ours)))
            continue
        failed += 1
        first = next((i for i in range(min(len(ours), len(theirs))) if ours[i] != theirs[i]),
                     min(len(ours), len(theirs)))
        print("FAIL %s: Wine and the native tool differ first at byte %#x (sector %d)"
              % (name, first, first // 512))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
