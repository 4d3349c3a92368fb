#!/usr/bin/env python3
"""Draws Lingpick's icon: a page of text behind a globe, 32x32 in the 16
standard VGA colours, and writes it as a one-image .ico (4 bits per pixel
with its AND mask).

    python3 make_icon.py lingpick.ico
"""
import math
import struct
import sys

# The 16-colour palette every Windows display has.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, \
    YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
SIZE = 32
CLEAR = None


def draw():
    img = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            img[y][x] = c

    # The page, with a folded top-right corner and a shadow on two sides.
    left, top, right, bottom, fold = 3, 1, 21, 25, 5
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:
                continue
            edge = x in (left, right) or y in (top, bottom) or \
                x - (right - fold) == y - top
            put(x, y, BLACK if edge else WHITE)
    for i in range(fold + 1):
        put(right - fold, top + i, BLACK)
        put(right - fold + i, top + fold, BLACK)
    for i in range(1, fold):
        for j in range(1, i + 1):
            put(right - fold + j, top + i, SILVER if j < i else BLACK)
    for y in range(top + fold + 1, bottom + 2):
        put(right + 1, y, GREY)
    for x in range(left + 1, right + 2):
        put(x, bottom + 1, GREY)

    # Lines of text in three colours: three languages on one page.
    for n, y in enumerate(range(top + 4, bottom - 2, 3)):
        colour = (NAVY, MAROON, GREEN)[n % 3]
        end = right - 3 if y > top + fold else right - fold - 2
        end -= (n * 5) % 7
        for x in range(left + 3, end):
            put(x, y, colour)

    # The globe: shaded sea, land masses, a rim and a highlight.
    cx, cy, r = 21.5, 20.5, 9.6
    land = [(-4.5, -3.5, 3.2), (-2.5, 0.5, 2.4), (3.5, -2.0, 2.6),
            (4.5, 3.5, 2.0), (-1.0, 5.5, 1.8)]
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if d > r:
                continue
            if d > r - 1.1:
                put(x, y, NAVY)
                continue
            on_land = any(math.hypot(dx - lx, dy - ly) < lr for lx, ly, lr in land)
            lit = dx + dy < -2.5
            if on_land:
                put(x, y, LIME if lit else GREEN)
            else:
                put(x, y, AQUA if lit and d < r - 3 else BLUE if lit or dx + dy < 4 else NAVY)
    for dx, dy in ((-5, -5), (-4, -6), (-6, -4)):
        put(int(cx) + dx, int(cy) + dy, WHITE)
    return img


def ico(img):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):               # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else BLACK
            lo = row[x + 1] if row[x + 1] is not None else BLACK
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (row[x] is None)
        mask += struct.pack('>I', bits)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack(
        '<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


if __name__ == '__main__':
    with open(sys.argv[1] if len(sys.argv) > 1 else 'lingpick.ico', 'wb') as f:
        f.write(ico(draw()))
