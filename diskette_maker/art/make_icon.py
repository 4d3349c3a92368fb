#!/usr/bin/env python3
"""Draws Floppwright's icon 102: a blue 3.5-inch diskette with its metal
shutter and a paper label, and a silver CD-ROM peeking out behind it. Two images, 32x32 and 16x16, in the 16
colours of the standard Windows palette, written as one .ico file.

Usage: make_icon.py [output.ico]   (default: floppwright.ico beside this script)
"""
import os
import struct
import sys

# The 16-colour palette of Windows (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, BLUE, CYAN, WHITE, YELLOW, RED = 0, 4, 7, 8, 12, 14, 15, 11, 9
CLEAR = None


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, colour):
    """Fills x0..x1, y0..y1 inclusive."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if 0 <= x < len(img) and 0 <= y < len(img):
                img[y][x] = colour


def disc(img, cx, cy, outer, inner):
    """A CD: silver with a grey rim and a clear hole, a cyan glint."""
    for y in range(len(img)):
        for x in range(len(img)):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= outer * outer:
                if d2 <= inner * inner:
                    img[y][x] = CLEAR if d2 <= (inner - 1) ** 2 else GREY
                elif d2 >= (outer - 1) ** 2:
                    img[y][x] = GREY
                elif x - cx > 0 and y - cy < 0 and abs((x - cx) + (y - cy)) <= 1:
                    img[y][x] = CYAN
                else:
                    img[y][x] = SILVER if (x + y) % 5 else WHITE


def diskette(img, x0, y0, size, detail):
    """A diskette at x0, y0 of size x size pixels."""
    x1, y1 = x0 + size - 1, y0 + size - 1
    rect(img, x0, y0, x1, y1, BLACK)                    # outline
    rect(img, x0 + 1, y0 + 1, x1 - 1, y1 - 1, BLUE)     # body
    rect(img, x0 + 1, y1 - 1, x1 - 1, y1 - 1, NAVY)     # shade along the bottom
    rect(img, x1 - 1, y0 + 1, x1 - 1, y1 - 1, NAVY)     # and the right
    img[y0][x1] = CLEAR                                 # the cut corner
    img[y0 + 1][x1] = BLACK
    img[y0 + 1][x1 - 1] = BLACK
    # Metal shutter at the top with its window.
    sx0, sx1 = x0 + size // 4, x1 - size // 4
    sy1 = y0 + size * 3 // 8
    rect(img, sx0, y0 + 1, sx1, sy1, SILVER)
    rect(img, sx0, sy1, sx1, sy1, GREY)
    w = max(1, size // 10)
    rect(img, sx1 - w - size // 16, y0 + 2, sx1 - size // 16, sy1 - 2 if detail else sy1 - 1, NAVY)
    # Paper label on the lower part.
    lx0, lx1 = x0 + size // 6, x1 - size // 6
    ly0, ly1 = y0 + size * 9 // 16, y1 - 1
    rect(img, lx0, ly0, lx1, ly1, WHITE)
    if detail:
        rect(img, lx0, ly0, lx1, ly0 + 1, RED)           # the maker's stripe
        for y in range(ly0 + 4, ly1, 3):
            rect(img, lx0 + 2, y, lx1 - 2, y, GREY)      # ruled lines
    else:
        rect(img, lx0, ly0, lx1, ly0, RED)
    # Write-protect hole.
    if detail:
        rect(img, x0 + 2, y1 - 4, x0 + 3, y1 - 3, BLACK)


def draw32():
    img = canvas(32)
    disc(img, 10, 10, 10, 2)
    diskette(img, 9, 9, 23, True)
    return img


def draw16():
    img = canvas(16)
    disc(img, 5, 5, 5, 1)
    diskette(img, 4, 4, 12, False)
    return img


def dib(img):
    """BITMAPINFOHEADER, palette, 4-bit XOR bitmap and 1-bit AND mask, bottom-up."""
    n = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            value = 0 if c is None else c
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def ico(images):
    entries = b''
    blobs = b''
    offset = 6 + 16 * len(images)
    for img in images:
        data = dib(img)
        n = len(img)
        entries += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        blobs += data
        offset += len(data)
    return struct.pack('<HHH', 0, 1, len(images)) + entries + blobs


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'floppwright.ico')
    with open(out, 'wb') as f:
        f.write(ico([draw32(), draw16()]))


if __name__ == '__main__':
    main()
