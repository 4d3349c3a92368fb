#!/usr/bin/env python3
"""Draws the launcher's art and writes it in the formats its resources need.

    make_art.py OUTDIR

launcher.ico  icon 170: 16x16 and 48x48 in 256 colours, 32x32 and 16x16 in 16
banner.bmp    bitmap 110: 180x38, 8 bits per pixel (RLE8), black artwork on white
banner125.bmp bitmaps 111 to 113: the same banner drawn afresh at 1.25, 1.5 and
banner150.bmp 2 times the size (225x48, 270x57, 360x76) for screens of 120,
banner200.bmp 144 and 192 DPI; two colours, RLE8
hand.cur      cursor 108: 32x32 monochrome pointing hand, hot spot (9, 2)
click.wav     WAVE 122: MS ADPCM, stereo, 22050 Hz, 4 bits, 679 sample frames

The outlines are drawn with ImageMagick (shapes and DejaVu type at four times
the size, then scaled down for smooth edges); everything else, the palettes,
the file formats and the sound, is plain Python so the bytes are ours.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile


# ---------------------------------------------------------------- helpers

def magick(args, out_path):
    subprocess.run(["convert"] + args + [out_path], check=True)


def read_netpbm(path):
    """Reads a binary PGM (P5), PPM (P6) or PAM (P7); returns (w, h, depth, bytes)."""
    data = open(path, "rb").read()
    if data[:2] == b"P7":
        header_end = data.index(b"ENDHDR\n") + len(b"ENDHDR\n")
        fields = {}
        for line in data[3:header_end].decode().splitlines():
            parts = line.split()
            if len(parts) == 2:
                fields[parts[0]] = parts[1]
        w, h, depth = int(fields["WIDTH"]), int(fields["HEIGHT"]), int(fields["DEPTH"])
        return w, h, depth, data[header_end:header_end + w * h * depth]
    tokens = []
    pos = 2
    while len(tokens) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        tokens.append(int(data[start:pos]))
    pos += 1
    w, h = tokens[0], tokens[1]
    depth = 1 if data[:2] == b"P5" else 3
    return w, h, depth, data[pos:pos + w * h * depth]


def row_bytes(bits_per_pixel, width):
    return ((width * bits_per_pixel + 31) // 32) * 4


def pack_rows(indices, width, height, bpp):
    """Packs palette indices (top row first) into bottom-up DIB rows."""
    out = bytearray()
    stride = row_bytes(bpp, width)
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            v = indices[y * width + x]
            bit = x * bpp
            shift = 8 - bpp - (bit % 8)
            row[bit // 8] |= (v << shift) & 0xFF
        out += row
    return bytes(out)


def info_header(width, height, bpp, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0,
                       colours, 0)


def nearest(palette, rgb):
    r, g, b = rgb
    best, best_d = 0, None
    for i, (pr, pg, pb) in enumerate(palette):
        # Weighted distance: the eye is kinder to blue errors than to green.
        d = 3 * (pr - r) ** 2 + 4 * (pg - g) ** 2 + 2 * (pb - b) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


# ---------------------------------------------------------------- banner

BANNER_W, BANNER_H = 180, 38


def draw_banner(tmp, scale=1):
    """The banner at scale times its size, as one grey byte per pixel."""
    s = 4 * scale
    width, height = round(BANNER_W * scale), round(BANNER_H * scale)
    big = os.path.join(tmp, "banner_big.png")
    small = os.path.join(tmp, "banner.pgm")

    def n(v):
        # Whole numbers print as before, so the 1x banner keeps its bytes.
        return "%d" % v if v == int(v) else "%g" % v

    # A mark of three stacked platters leaning into a forward sweep, then
    # the name and the slogan.
    mark = []
    for k, y in enumerate((10, 18, 26)):
        x0 = 4 + 3 * (2 - k)
        mark += ["-draw", "roundrectangle %s,%s %s,%s %s,%s" % tuple(n(v) for v in
                 (x0 * s, (y - 3) * s, (x0 + 26) * s, (y + 3) * s, 3 * s, 3 * s))]
    magick(["-size", "%dx%d" % (width * 4, height * 4), "xc:white",
            "-fill", "black"] + mark +
           ["-fill", "white", "-draw", "polygon %s,%s %s,%s %s,%s %s,%s" % tuple(n(v) for v in
            (20 * s, 4 * s, 24 * s, 4 * s, 14 * s, 34 * s, 10 * s, 34 * s)),
            "-fill", "black",
            "-font", "DejaVu-Sans-Bold", "-pointsize", str(21 * s), "-kerning", str(1 * s),
            "-draw", "text %s,%s 'HALVORIX'" % (n(40 * s), n(22 * s)),
            "-font", "DejaVu-Sans-Oblique", "-pointsize", str(9.4 * s),
            "-draw", "text %s,%s 'Storage that travels'" % (n(41 * s), n(33 * s))],
           big)
    magick([big, "-filter", "Box", "-resize", "%dx%d!" % (width, height),
            "-colorspace", "Gray", "-depth", "8"], small)
    w, h, _, grey = read_netpbm(small)
    assert (w, h) == (width, height)
    return grey


# The larger banners for screens beyond 96 DPI. At these sizes the strokes
# are several pixels wide and two colours draw them sharply; greys would
# cost the launcher three times the bytes for edges the eye hardly sees.
BANNER_SCALES = ((1.25, "banner125.bmp"), (1.5, "banner150.bmp"), (2, "banner200.bmp"))


def rle8_rows(indices, width, height):
    """BI_RLE8 encoding, bottom row first: runs of one index as (count, index),
    stretches of three or more differing pixels in absolute mode."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = indices[y * width:(y + 1) * width]
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < 255 and row[x + run] == row[x]:
                run += 1
            if run >= 2:
                out += bytes([run, row[x]])
                x += run
                continue
            # A literal stretch lasts until the next pair of equal pixels.
            end = x + 1
            while end < width and end - x < 255 and not (
                    end + 1 < width and row[end] == row[end + 1]):
                end += 1
            literal = row[x:end]
            if len(literal) < 3:
                for v in literal:
                    out += bytes([1, v])
            else:
                out += bytes([0, len(literal)]) + bytes(literal)
                if len(literal) % 2:
                    out.append(0)
            x = end
        out += bytes([0, 0])          # end of line
    out[-2:] = bytes([0, 1])          # end of bitmap
    return bytes(out)


def write_banner(path, grey, width=BANNER_W, height=BANNER_H, two_colours=False):
    # 256 greys, run-length encoded: the white field packs into a few bytes,
    # which keeps the launcher small. The two-colour banners keep black and
    # white alone, each pixel as the nearer of the two.
    if two_colours:
        indices = [1 if v >= 128 else 0 for v in grey]
        palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    else:
        indices = list(grey)
        palette = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))
    pixels = rle8_rows(indices, width, height)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(pixels), 0, 0,
                         len(palette) // 4, 0)
    offset = 14 + len(header) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + header + palette + pixels)


# ---------------------------------------------------------------- icon

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    """The 6x6x6 colour cube, a ramp of greys and the 16 VGA colours."""
    pal = list(VGA16)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal.append((r * 51, g * 51, b * 51))
    step = 255 / 25
    for i in range(24):
        v = int(round((i + 1) * step))
        pal.append((v, v, v))
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal


# Colours of the icon: the full set for 256 colours, and for 16 colours the
# nearest that the standard VGA palette holds exactly, so that the small
# entries stay crisp instead of drifting to whatever is near.
ICON_COLOURS = {
    8: {"disc": "#d8dde3", "line": "#3a4450", "ring": "#b9c6d8", "shine": "#8fb1d6",
        "hub": "#ffffff", "edge": "#1b2633", "body": "#2f5f8a", "top": "#4f86b8",
        "slot": "#1b2633", "led": "#5dd35a"},
    4: {"disc": "#c0c0c0", "line": "#000000", "ring": "#c0c0c0", "shine": "#ffffff",
        "hub": "#ffffff", "edge": "#000000", "body": "#000080", "top": "#0000ff",
        "slot": "#000000", "led": "#00ff00"},
}


def draw_icon(tmp, size, bpp):
    """The drive family: a portable drive with a disc standing behind it."""
    c = ICON_COLOURS[bpp]
    s = 8
    u = size * s / 48.0   # drawing units: a 48-unit square

    def p(v):
        return int(round(v * u))

    big = os.path.join(tmp, "icon_big_%d_%d.png" % (size, bpp))
    small = os.path.join(tmp, "icon_%d_%d.pam" % (size, bpp))
    disc = ["-fill", c["disc"], "-stroke", c["line"], "-strokewidth", str(max(1, p(1.4))),
            "-draw", "circle %d,%d %d,%d" % (p(30), p(17), p(30), p(2.5)),
            "-stroke", "none", "-fill", c["ring"],
            "-draw", "circle %d,%d %d,%d" % (p(30), p(17), p(30), p(8)),
            "-fill", c["shine"],
            "-draw", "path 'M %d,%d A %d,%d 0 0,1 %d,%d L %d,%d A %d,%d 0 0,0 %d,%d Z'" %
            (p(30), p(4.5), p(12.5), p(12.5), p(42.5), p(17), p(36), p(17), p(6), p(6),
             p(30), p(11)),
            "-fill", c["hub"], "-stroke", c["line"], "-strokewidth", str(max(1, p(1.2))),
            "-draw", "circle %d,%d %d,%d" % (p(30), p(17), p(30), p(14.5))]
    body = ["-stroke", c["edge"], "-strokewidth", str(max(1, p(1.6))), "-fill", c["body"],
            "-draw", "roundrectangle %d,%d %d,%d %d,%d" %
            (p(3), p(22), p(40), p(44), p(4), p(4)),
            "-stroke", "none", "-fill", c["top"],
            "-draw", "roundrectangle %d,%d %d,%d %d,%d" %
            (p(5), p(24), p(38), p(30), p(3), p(3)),
            "-fill", c["slot"],
            "-draw", "rectangle %d,%d %d,%d" % (p(8), p(35), p(30), p(37)),
            "-fill", c["led"],
            "-draw", "circle %d,%d %d,%d" % (p(35), p(37), p(35), p(34.6))]
    magick(["-size", "%dx%d" % (size * s, size * s), "xc:none"] + disc + body, big)
    magick([big, "-filter", "Box", "-resize", "%dx%d!" % (size, size), "-depth", "8"],
           "pam:" + small)
    w, h, depth, data = read_netpbm(small)
    assert (w, h, depth) == (size, size, 4)
    return [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]


def icon_entry(rgba, size, bpp):
    pal = palette256() if bpp == 8 else VGA16
    white = (255, 255, 255)
    indices, mask = [], []
    for (r, g, b, a) in rgba:
        if a < 96:
            indices.append(0)
            mask.append(1)
            continue
        # Icons of this age have no alpha: blend the soft edge onto white.
        k = a / 255.0
        rgb = tuple(int(round(c * k + w * (1 - k))) for c, w in zip((r, g, b), white))
        indices.append(nearest(pal, rgb))
        mask.append(0)
    xor = pack_rows(indices, size, size, bpp)
    and_mask = pack_rows(mask, size, size, 1)
    colours = 256 if bpp == 8 else 16
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in pal[:colours])
    header = info_header(size, size * 2, bpp, 0, len(xor) + len(and_mask))
    return header + palette + xor + and_mask


def write_icon(path, entries):
    """entries: (size, bpp, image bytes)."""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = b""
    for size, bpp, blob in entries:
        colour_count = 0 if bpp == 8 else 16
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bpp,
                           len(blob), offset + len(blobs))
        blobs += blob
    with open(path, "wb") as f:
        f.write(out + blobs)


# ---------------------------------------------------------------- cursor

# X outline (black), o fill (white), blank transparent. The tip of the index
# finger is the hot spot at (9, 2).
HAND = [
    "",
    "        XXX",
    "       XoooX",
    "       XoooX",
    "       XoooX",
    "       XoooX",
    "       XoooXXX",
    "       XoooXooXXX",
    "       XoooXooXooXXX",
    "       XoooXooXooXooX",
    "   XXX XoooXooXooXooX",
    "   XoooXoooooooooXooX",
    "   XooooXooooooooooooX",
    "    XoooXooooooooooooX",
    "     XooXooooooooooooX",
    "     XoooooooooooooooX",
    "      XooooooooooooooX",
    "      XoooooooooooooX",
    "       XooooooooooooX",
    "       XooooooooooooX",
    "        XooooooooooX",
    "        XooooooooooX",
    "        XXXXXXXXXXXX",
]
HOT_SPOT = (9, 2)


def write_cursor(path):
    size = 32
    rows = [r.ljust(size) for r in HAND] + [" " * size] * (size - len(HAND))
    xor = [1 if c == "o" else 0 for r in rows for c in r]
    and_mask = [1 if c == " " else 0 for r in rows for c in r]
    assert rows[HOT_SPOT[1]][HOT_SPOT[0]] == "o"
    xor_bytes = pack_rows(xor, size, size, 1)
    and_bytes = pack_rows(and_mask, size, size, 1)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    blob = info_header(size, size * 2, 1, 0, len(xor_bytes) + len(and_bytes)) + palette + \
        xor_bytes + and_bytes
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", size, size, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(blob), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + blob)


# ---------------------------------------------------------------- click sound

RATE = 22050
FRAMES = 679
CHANNELS = 2
ADAPTATION = [230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230]
COEFFICIENTS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]


def click_samples():
    """A short mechanical click: a bright tick over a damped body, slightly
    different in each ear so it sounds like a real switch."""
    rnd = 0x1234567
    left, right = [], []
    for n in range(FRAMES):
        t = n / RATE
        rnd = (rnd * 1103515245 + 12345) & 0x7FFFFFFF
        noise = (rnd / 0x3FFFFFFF) - 1.0
        attack = min(1.0, n / 12.0)
        tick = math.exp(-t * 900) * (0.6 * math.sin(2 * math.pi * 3100 * t) + 0.4 * noise)
        body = math.exp(-t * 160) * math.sin(2 * math.pi * 820 * t)
        fade = min(1.0, (FRAMES - n) / 60.0)
        v = attack * fade * (0.55 * tick + 0.45 * body)
        left.append(int(max(-1.0, min(1.0, v)) * 20000))
        right.append(int(max(-1.0, min(1.0, v * 0.92 + 0.03 * noise * attack * fade)) * 20000))
    return left, right


def clamp16(v):
    return max(-32768, min(32767, v))


def encode_channel(samples, coef_index):
    """MS ADPCM for one channel of one block: header values and nibbles."""
    c1, c2 = COEFFICIENTS[coef_index]
    s1, s2 = samples[1], samples[0]
    delta = max(16, abs(samples[2] - samples[1]) // 2 if len(samples) > 2 else 16)
    nibbles, error = [], 0
    hdr = (coef_index, delta, s1, s2)
    for x in samples[2:]:
        predicted = (s1 * c1 + s2 * c2) >> 8
        code = int(round((x - predicted) / delta))
        code = max(-8, min(7, code))
        out = clamp16(predicted + code * delta)
        error += (x - out) ** 2
        nibble = code & 0xF
        nibbles.append(nibble)
        delta = max(16, (ADAPTATION[nibble] * delta) >> 8)
        s2, s1 = s1, out
    return hdr, nibbles, error


def write_click(path):
    left, right = click_samples()
    channels = []
    for samples in (left, right):
        best = min((encode_channel(samples, k) for k in range(len(COEFFICIENTS))),
                   key=lambda r: r[2])
        channels.append(best)
    # Block header: predictors, deltas, first samples, second samples, each
    # once per channel; then the nibbles interleaved L R L R, high nibble first.
    block = bytearray()
    block += bytes([channels[0][0][0], channels[1][0][0]])
    for field in (1, 2, 3):
        for ch in channels:
            block += struct.pack("<h", ch[0][field])
    nib_l, nib_r = channels[0][1], channels[1][1]
    for a, b in zip(nib_l, nib_r):
        block.append((a << 4) | b)

    block_align = 1024
    samples_per_block = (block_align - 7 * CHANNELS) * 8 // (4 * CHANNELS) + 2
    avg_bytes = RATE * block_align // samples_per_block
    fmt = struct.pack("<HHIIHHHHH", 2, CHANNELS, RATE, avg_bytes, block_align, 4, 32,
                      samples_per_block, len(COEFFICIENTS))
    for c1, c2 in COEFFICIENTS:
        fmt += struct.pack("<hh", c1, c2)
    data = bytes(block)
    pad = b"\0" if len(data) % 2 else b""
    body = b"WAVE"
    body += b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"fact" + struct.pack("<II", 4, FRAMES)
    body += b"data" + struct.pack("<I", len(data)) + data + pad
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        write_banner(os.path.join(out, "banner.bmp"), draw_banner(tmp))
        for scale, name in BANNER_SCALES:
            write_banner(os.path.join(out, name), draw_banner(tmp, scale),
                         round(BANNER_W * scale), round(BANNER_H * scale), two_colours=True)
        entries = []
        for size, bpp in ((48, 8), (32, 4), (16, 8), (16, 4)):
            entries.append((size, bpp, icon_entry(draw_icon(tmp, size, bpp), size, bpp)))
        write_icon(os.path.join(out, "launcher.ico"), entries)
    write_cursor(os.path.join(out, "hand.cur"))
    write_click(os.path.join(out, "click.wav"))


if __name__ == "__main__":
    main()
