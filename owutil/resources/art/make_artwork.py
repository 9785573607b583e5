#!/usr/bin/env python3
"""Generates the artwork of the utility library and of the viewer's About box.

    python3 owutil/resources/art/make_artwork.py

writes, from the drawing code below (no input files):
  owutil/resources/art/sidebanner.bmp   800 x 259, 8 bits, 100 colours: an
                                        orrery's orbits rising out of the dark
  owutil/resources/art/logo.wmf         placeable Windows metafile: the maker's
                                        orrery mark
  viewer/resources/bitmaps/aboutlogo.bmp  96 x 96, 8 bits, 256 colours: the
                                        viewer's lens over a landscape on
                                        magenta, the transparent colour

Everything is designed to sit on black. The output is deterministic.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))


def smoothstep(a, b, x):
    t = min(1.0, max(0.0, (x - a) / (b - a)))
    return t * t * (3 - 2 * t)


def bmp8(path, width, height, palette, rows):
    """rows: top-down lists of palette indices."""
    stride = (width + 3) & ~3
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, stride * height, 3780, 3780, len(palette), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    bits = bytearray()
    for row in reversed(rows):
        bits += bytes(row) + b"\0" * (stride - width)
    off = 14 + len(info) + len(table)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", off + len(bits), 0, 0, off) + info + table + bits)


# --- the side banner ---------------------------------------------------------

RAMP = [(0.0, (0, 0, 0)), (0.30, (14, 18, 58)), (0.55, (34, 62, 140)), (0.75, (70, 150, 200)),
        (0.90, (225, 196, 120)), (1.0, (255, 248, 228))]


def ramp(t):
    for (t0, c0), (t1, c1) in zip(RAMP, RAMP[1:]):
        if t <= t1:
            k = (t - t0) / (t1 - t0)
            return tuple(int(round(a + (b - a) * k)) for a, b in zip(c0, c1))
    return RAMP[-1][1]


def banner():
    w, h = 800, 259
    palette = [ramp(i / 99) for i in range(100)]
    cx, cy = 560.0, 430.0
    orbits = [(200 + 115 * k, (200 + 115 * k) * 0.52) for k in range(5)]
    planets = [(0, 1.95, 9), (1, 2.35, 6), (2, 1.62, 12), (3, 2.62, 7), (4, 1.83, 8)]
    planet_pos = []
    for k, angle, radius in planets:
        a, b = orbits[k]
        planet_pos.append((cx + a * math.cos(angle), cy - b * math.sin(angle), radius))
    seed = 12345
    stars = {}
    for _ in range(160):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % w
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % int(h * 0.8)
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        stars[(x, y)] = 0.25 + (seed % 100) / 220
    rows = []
    for y in range(h):
        fade = smoothstep(0.0, 0.75, y / h)
        row = []
        for x in range(w):
            f = 0.36 * smoothstep(0.2, 1.0, y / h) ** 1.6 * (0.85 + 0.15 * math.sin(x / 120.0))
            dx, dy = x - cx, y - cy
            for a, b in orbits:
                rho = math.sqrt((dx / a) ** 2 + (dy / b) ** 2)
                d = abs(rho - 1.0) * b
                f += 0.42 * fade * math.exp(-(d / 1.4) ** 2)
            for px, py, r in planet_pos:
                d = math.hypot(x - px, y - py)
                if d <= r:
                    f = max(f, 0.80 + 0.19 * (1 - d / r) * (0.8 + 0.2 * (px - x) / r))
                else:
                    f += 0.25 * math.exp(-((d - r) / (0.7 * r)) ** 2)
            f += stars.get((x, y), 0.0)
            row.append(int(round(min(1.0, f) * 99)))
        rows.append(row)
    bmp8(os.path.join(HERE, "sidebanner.bmp"), w, h, palette, rows)


# --- the maker's logo as a placeable Windows metafile --------------------------

def wmf_record(function, *words):
    return struct.pack("<IH", 3 + len(words), function) + struct.pack("<%dH" % len(words), *(w & 0xFFFF for w in words))


def colorref(r, g, b):
    return (r | (g << 8), b)  # 0x00BBGGRR as two words


def logo_wmf():
    ext = 1000
    recs = []
    nobjects = 0

    def pen(r, g, b, width):
        nonlocal nobjects
        c = colorref(r, g, b)
        recs.append(wmf_record(0x02FA, 0, width, 0, c[0], c[1]))  # CREATEPENINDIRECT
        nobjects += 1

    def brush(r, g, b):
        nonlocal nobjects
        c = colorref(r, g, b)
        recs.append(wmf_record(0x02FC, 0, c[0], c[1], 0))  # CREATEBRUSHINDIRECT (BS_SOLID)
        nobjects += 1

    def select(i):
        recs.append(wmf_record(0x012D, i))

    def delete(i):
        recs.append(wmf_record(0x01F0, i))

    def ellipse(cx, cy, rx, ry):
        recs.append(wmf_record(0x0418, cy + ry, cx + rx, cy - ry, cx - rx))  # bottom, right, top, left

    recs.append(wmf_record(0x020B, 0, 0))        # SETWINDOWORG y, x
    recs.append(wmf_record(0x020C, ext, ext))    # SETWINDOWEXT y, x
    recs.append(wmf_record(0x0102, 1))           # SETBKMODE TRANSPARENT
    # Objects fill the lowest free slot: 0 null brush, 1 and 2 orbit pens,
    # then one brush at a time in slot 3.
    recs.append(wmf_record(0x02FC, 1, 0, 0, 0))  # BS_NULL brush, slot 0
    nobjects += 1
    pen(96, 150, 230, 26)                        # slot 1: outer orbit
    pen(150, 200, 240, 18)                       # slot 2: inner orbit
    select(0)
    select(1)
    ellipse(500, 500, 440, 440)
    select(2)
    ellipse(500, 500, 285, 285)
    recs.append(wmf_record(0x02FA, 5, 0, 0, 0, 0))  # PS_NULL pen, slot 3
    nobjects += 1
    select(3)
    for (r, g, b), (x, y, rad) in [((250, 190, 70), (500, 500, 135)),   # the sun
                                   ((64, 196, 170), (500 + 311, 500 - 311, 58)),
                                   ((235, 110, 90), (500 - 270, 500 + 90, 44)),
                                   ((255, 236, 170), (470, 465, 40))]:  # the sun's highlight
        brush(r, g, b)  # slot 4
        select(4)
        ellipse(x, y, rad, rad)
        select(0)
        delete(4)
    body = b"".join(recs) + struct.pack("<IH", 3, 0)
    max_record = max(struct.unpack_from("<I", r)[0] for r in recs)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, (18 + len(body)) // 2, nobjects + 1, max_record, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, ext, ext, 1000, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable[:20]):
        checksum ^= word
    with open(os.path.join(HERE, "logo.wmf"), "wb") as f:
        f.write(placeable + struct.pack("<H", checksum) + header + body)


# --- the viewer's About logo ---------------------------------------------------

MAGENTA = (255, 0, 255)


def about_logo():
    size, ss = 96, 4
    lens_c, lens_r, ring = (40.0, 40.0), 30.0, 6.0

    def colour_at(x, y):
        """The colour at a sample point, or None outside the mark."""
        d = math.hypot(x - lens_c[0], y - lens_c[1])
        # The handle: a thick rounded bar from the ring towards the corner.
        hx0, hy0, hx1, hy1 = 62.0, 62.0, 86.0, 86.0
        t = max(0.0, min(1.0, ((x - hx0) * (hx1 - hx0) + (y - hy0) * (hy1 - hy0)) / ((hx1 - hx0) ** 2 + (hy1 - hy0) ** 2)))
        if math.hypot(x - (hx0 + t * (hx1 - hx0)), y - (hy0 + t * (hy1 - hy0))) <= 6.5 and d > lens_r:
            return (70, 120, 220) if (x - y) < 0 else (52, 96, 196)
        if lens_r < d <= lens_r + ring:
            return (104, 160, 245) if y < lens_c[1] - (x - lens_c[0]) * 0.3 else (74, 128, 228)
        if d <= lens_r:
            # Sky, a sun, and two hills seen through the glass.
            if math.hypot(x - 30, y - 28) <= 7:
                return (246, 170, 90)
            hill1 = 52 - 12 * math.exp(-((x - 30) / 12) ** 2)
            hill2 = 56 - 16 * math.exp(-((x - 52) / 10) ** 2)
            if y >= hill2:
                return (30, 140, 128)
            if y >= hill1:
                return (46, 172, 150)
            k = (y - (lens_c[1] - lens_r)) / (2 * lens_r)
            return (int(28 + 30 * k), int(52 + 60 * k), int(128 + 80 * k))
        return None

    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc, hits = [0, 0, 0], 0
            for sy in range(ss):
                for sx in range(ss):
                    c = colour_at(px + (sx + 0.5) / ss, py + (sy + 0.5) / ss)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            # Edges blend with black, the background the mark is shown on.
            row.append(MAGENTA if hits == 0 else tuple(a // (ss * ss) for a in acc))
        pixels.append(row)
    # 256 colours: magenta first, then the colours used, merged on a coarser
    # grid until they fit.
    shift = 0
    while True:
        used = sorted({tuple((v >> shift) << shift for v in c) for row in pixels for c in row if c != MAGENTA})
        if len(used) <= 255:
            break
        shift += 1
    palette = [MAGENTA] + used + [(0, 0, 0)] * (255 - len(used))
    index = {c: i + 1 for i, c in enumerate(used)}
    rows = [[0 if c == MAGENTA else index[tuple((v >> shift) << shift for v in c)] for c in row] for row in pixels]
    bmp8(os.path.join(ROOT, "viewer", "resources", "bitmaps", "aboutlogo.bmp"), size, size, palette, rows)


if __name__ == "__main__":
    banner()
    logo_wmf()
    about_logo()
