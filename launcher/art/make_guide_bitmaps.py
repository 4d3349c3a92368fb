#!/usr/bin/env python3
"""Draws the three 24-bit pictures of the user's guides dialog.

    guide_close.bmp    19 x 17  the close button: a black cross on grey
    guide1_disc.bmp    32 x 23  guide 1: a disc rushing along, with speed lines
    guide2_disc.bmp    27 x 29  guide 2: a disc in coloured segments

Every pixel is sampled 5 x 5 times, so edges come out smooth. The pictures
are blitted as they are onto the dialog, whose colour on a true-colour
display is RGB(85, 128, 152); the discs are drawn on that colour.

Run it from anywhere: python3 make_guide_bitmaps.py [output folder]
"""
import math
import os
import struct
import sys

DIALOG = (85, 128, 152)
SAMPLES = 5


def write_bmp(path, width, height, pixels):
    """pixels[y][x] = (r, g, b), top row first; stored bottom-up, BGR."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        body += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def render(width, height, shade):
    """shade(x, y) gives the colour at a point in pixel coordinates."""
    pixels = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shade(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    for i in range(3):
                        acc[i] += c[i]
            n = SAMPLES * SAMPLES
            row.append(tuple(max(0, min(255, int(round(a / n)))) for a in acc))
        pixels.append(row)
    return pixels


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def close_cross(x, y):
    w, h = 19, 17
    # A small raised grey box: light top-left edge, dark bottom-right edge.
    if x < 1 or y < 1:
        base = (255, 255, 255)
    elif x >= w - 1 or y >= h - 1:
        base = (64, 64, 64)
    elif x >= w - 2 or y >= h - 2:
        base = (128, 128, 128)
    else:
        base = (192, 192, 192)
    inset = 5.0
    d = min(segment_distance(x, y, inset, inset - 1, w - inset, h - inset + 1),
            segment_distance(x, y, w - inset, inset - 1, inset, h - inset + 1))
    if d < 1.25:
        return (0, 0, 0)
    return base


def disc_colour(x, y, cx, cy, radius, hole, sheen):
    """A compact disc seen from above; None outside it."""
    r = math.hypot(x - cx, y - cy)
    if r > radius:
        return None
    if r < hole:
        return None
    if r < hole + 1.0:
        return (120, 120, 130)
    if r < radius * 0.36:
        return (205, 210, 218)   # the clear hub
    if r > radius - 0.9:
        return (96, 100, 110)    # rim
    angle = math.atan2(y - cy, x - cx)
    return sheen(angle, r / radius)


def rainbow(angle, radial):
    # Silver, with the two opposed bands of colour a data side shows in light.
    band = (math.cos(2 * (angle - 0.6)) + 1) / 2
    hue = (angle / math.pi + 1) * 3 + radial * 2
    spectrum = tuple(128 + 127 * math.sin(hue + k * 2.094) for k in range(3))
    silver = (200 + 40 * radial, 204 + 40 * radial, 214 + 30 * radial)
    return mix(silver, spectrum, 0.55 * band ** 2)


def speed_disc(x, y):
    cx, cy, radius = 21.0, 11.5, 10.6
    c = disc_colour(x, y, cx, cy, radius, 1.8, rainbow)
    if c is not None:
        return c
    # Speed lines trailing to the left, fading with distance.
    for ly, start, length in ((5.0, 9.5, 8.5), (9.0, 6.0, 12.0), (13.5, 4.0, 14.5), (18.0, 8.0, 9.0)):
        if abs(y - ly) < 0.75 and start <= x <= start + length:
            t = (x - start) / length
            return mix(DIALOG, (255, 255, 255), 0.25 + 0.75 * t)
    return DIALOG


SEGMENTS = [(220, 40, 40), (245, 150, 20), (245, 220, 40), (60, 170, 70),
            (40, 140, 210), (70, 70, 190), (150, 60, 170), (225, 90, 150)]


def segmented(angle, radial):
    k = int(((angle + math.pi) / (2 * math.pi)) * len(SEGMENTS)) % len(SEGMENTS)
    colour = SEGMENTS[k]
    # A thin light gap between segments and a touch of shine toward the rim.
    edge = ((angle + math.pi) / (2 * math.pi)) * len(SEGMENTS) % 1.0
    if edge < 0.06 or edge > 0.94:
        return (235, 235, 240)
    return mix(colour, (255, 255, 255), 0.25 * radial ** 3)


def segment_disc(x, y):
    cx, cy, radius = 13.5, 14.5, 13.0
    # A soft shadow to the lower right lifts the disc off the dialog.
    c = disc_colour(x, y, cx, cy, radius, 2.2, segmented)
    if c is not None:
        return c
    if math.hypot(x - cx, y - cy) < 2.2:
        return DIALOG   # the hole in the middle
    if math.hypot(x - cx - 0.8, y - cy - 0.9) <= radius:
        return mix(DIALOG, (0, 0, 0), 0.35)
    return DIALOG


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(out, "guide_close.bmp"), 19, 17, render(19, 17, close_cross))
    write_bmp(os.path.join(out, "guide1_disc.bmp"), 32, 23, render(32, 23, speed_disc))
    write_bmp(os.path.join(out, "guide2_disc.bmp"), 27, 29, render(27, 29, segment_disc))


if __name__ == "__main__":
    main()
