#!/usr/bin/env python3
"""Draws the launcher's artwork and writes it to resources/art/.

Everything here is plain Python 3 standard library: the pictures are drawn
pixel by pixel and written out as Windows BMP / ICO files with struct, so the
output is byte-for-byte identical on every run.  The generated files are
committed, so a normal build never has to run this script.

    python3 tools/make-artwork.py [output-dir]
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

MAGENTA = (255, 0, 255)      # transparent colour for the button glyphs
FACE = (192, 192, 192)       # dialog face grey (LR_LOADMAP3DCOLORS maps it)


def row_stride(width, bpp):
    """Bytes per scan line, padded to a 4-byte boundary."""
    return ((width * bpp + 31) // 32) * 4


def pack_row(indices, bpp, stride):
    out = bytearray(stride)
    if bpp == 8:
        out[:len(indices)] = bytes(indices)
    elif bpp == 4:
        for x, v in enumerate(indices):
            if x & 1:
                out[x >> 1] |= v & 0x0F
            else:
                out[x >> 1] |= (v & 0x0F) << 4
    elif bpp == 1:
        for x, v in enumerate(indices):
            if v:
                out[x >> 3] |= 0x80 >> (x & 7)
    else:
        raise ValueError(bpp)
    return bytes(out)


def info_header(width, height, bpp, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII',
                       40, width, height, 1, bpp, 0,  # BI_RGB
                       image_size, 2835, 2835, colours_used, 0)


def palette_bytes(palette):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)


def bmp_bytes(rows, palette, bpp):
    """rows: top-down list of lists of palette indices."""
    height = len(rows)
    width = len(rows[0])
    ncolours = 1 << bpp
    assert len(palette) <= ncolours
    palette = list(palette) + [(0, 0, 0)] * (ncolours - len(palette))
    stride = row_stride(width, bpp)
    pixels = b''.join(pack_row(r, bpp, stride) for r in reversed(rows))
    pal = palette_bytes(palette)
    offset = 14 + 40 + len(pal)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return (header + info_header(width, height, bpp, len(pixels), ncolours)
            + pal + pixels)


def ico_bytes(images):
    """images: list of (rows, mask_rows, palette) for 4bpp icon images.

    mask_rows holds 1 where the pixel is transparent."""
    blobs = []
    for rows, mask, palette in images:
        height = len(rows)
        width = len(rows[0])
        xor_stride = row_stride(width, 4)
        and_stride = row_stride(width, 1)
        xor = b''.join(pack_row(r, 4, xor_stride) for r in reversed(rows))
        and_ = b''.join(pack_row(m, 1, and_stride) for m in reversed(mask))
        pal = list(palette) + [(0, 0, 0)] * (16 - len(palette))
        blob = (info_header(width, height * 2, 4, len(xor) + len(and_), 16)
                + palette_bytes(pal) + xor + and_)
        blobs.append((width, height, blob))
    out = bytearray(struct.pack('<HHH', 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for width, height, blob in blobs:
        out += struct.pack('<BBBBHHII', width & 0xFF, height & 0xFF, 16, 0,
                           1, 4, len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    return bytes(out)


def index_image(pixels):
    """Turns a top-down grid of RGB tuples into (rows, palette), 8 bpp.

    Colours are numbered in order of first appearance (scanning top-down),
    which keeps the output stable from run to run."""
    lookup = {}
    palette = []
    rows = []
    for line in pixels:
        row = []
        for c in line:
            i = lookup.get(c)
            if i is None:
                i = lookup[c] = len(palette)
                palette.append(c)
            row.append(i)
        rows.append(row)
    if len(palette) > 256:
        raise ValueError('too many colours: %d' % len(palette))
    return rows, palette


# ---------------------------------------------------------------------------
# Small drawing helpers
# ---------------------------------------------------------------------------

def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def ramp(stops, t):
    """Piecewise-linear colour ramp; stops = [(pos, (r,g,b)), ...]."""
    t = max(0.0, min(1.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


BAYER4 = [[0, 8, 2, 10],
          [12, 4, 14, 6],
          [3, 11, 1, 9],
          [15, 7, 13, 5]]


def bayer(x, y):
    return (BAYER4[y & 3][x & 3] + 0.5) / 16.0


class Rng:
    """Tiny LCG so the scattered details are the same on every run."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state >> 8

    def randint(self, lo, hi):
        return lo + self.next() % (hi - lo + 1)


def outline_of(inside, w, h):
    """Pixels of a shape that touch the outside (4-neighbourhood)."""
    edge = set()
    for y in range(h):
        for x in range(w):
            if not inside[y][x]:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < w and 0 <= ny < h) or not inside[ny][nx]:
                    edge.add((x, y))
                    break
    return edge


# ---------------------------------------------------------------------------
# Program icon: the fen at dusk
# ---------------------------------------------------------------------------

ICON_PALETTE = [
    (0, 0, 0),          # 0  transparent (AND mask set)
    (18, 14, 36),       # 1  outline / silhouette
    (38, 34, 92),       # 2  night sky
    (92, 58, 136),      # 3  violet
    (190, 86, 118),     # 4  dusk rose
    (240, 142, 64),     # 5  orange glow
    (252, 206, 104),    # 6  horizon gold
    (255, 226, 96),     # 7  moon
    (255, 250, 204),    # 8  moon highlight
    (22, 62, 38),       # 9  hill, dark
    (46, 104, 54),      # 10 hill, mid
    (98, 156, 70),      # 11 hill, lit rim
    (120, 80, 40),      # 12 mud brown (spare)
    (74, 42, 22),       # 13 cattail head
    (56, 78, 140),      # 14 water
    (255, 255, 255),    # 15 star / glint
]


def draw_icon(n):
    s = n / 32.0                      # design coordinates are for 32 x 32
    grid = [[0] * n for _ in range(n)]
    c = (n - 1) / 2.0
    r = n / 2.0 - 0.35
    inside = [[(x - c) ** 2 + (y - c) ** 2 <= r * r for x in range(n)]
              for y in range(n)]

    def ridge(px):                    # low far bank across the fen
        return 18.0 + 0.012 * (px - 21) ** 2

    def hill(px):                     # near hill, lower left
        return 19.5 + 0.05 * (px - 3) ** 2

    waterline = 23.0
    for y in range(n):
        for x in range(n):
            if not inside[y][x]:
                continue
            px = (x + 0.5) / s        # design-space sample point
            py = (y + 0.5) / s
            # sky: night at the top, glowing towards the horizon
            t = py / 19.0
            bands = [2, 3, 4, 5, 6]
            pos = min(t * (len(bands) - 1), len(bands) - 1)
            k = int(pos)
            frac = pos - k
            if n >= 32 and frac > 0.72 and (x + y) & 1:
                k += 1                # checkered seam between bands
            elif n < 32 and frac > 0.5:
                k += 1
            col = bands[min(k, len(bands) - 1)]
            # moon
            mx, my, mr = 20.5, 10.0, 6.6
            d2 = (px - mx) ** 2 + (py - my) ** 2
            if d2 <= mr * mr:
                col = 7
                if (px - mx + 2.2) ** 2 + (py - my + 2.2) ** 2 <= 9.0:
                    col = 8
            if py >= ridge(px) and py < waterline:
                col = 10 if py >= ridge(px) + 1.0 / s else 11
            if py >= waterline:
                col = 14
                # the moon's path on the water
                row = int(py - waterline)
                if n >= 32 and row % 3 == 1 and \
                        abs(px - mx) <= 4.0 - row * 0.5:
                    col = 6 if row < 4 else 5
                if n < 32 and row == 2 and abs(px - mx) <= 2.0:
                    col = 6
            if py >= hill(px):
                col = 9 if py >= hill(px) + 1.0 / s else 10
            grid[y][x] = col

    # reeds and cattails standing in the water, right of centre
    # (pixel coordinates: x of the stem, top row, head length)
    def reed(x, top, head):
        for y in range(top, n):
            if inside[y][x]:
                grid[y][x] = 1
        for y in range(top + 1, top + 1 + head):
            for xx in (x, x + 1):
                if inside[y][xx]:
                    grid[y][xx] = 13
    if n >= 32:
        for x, top, head in ((19, 18, 0), (21, 11, 5), (24, 15, 4),
                             (27, 19, 0), (28, 13, 0)):
            reed(x, top, head)
    else:
        reed(11, 5, 3)

    # stars in the night part of the sky
    stars = [(7, 6), (12, 3), (4, 12), (28, 14)] if n >= 32 else [(5, 4)]
    for sx, sy in stars:
        x, y = int(sx * s), int(sy * s)
        if inside[y][x] and grid[y][x] in (2, 3):
            grid[y][x] = 15

    for x, y in outline_of(inside, n, n):
        grid[y][x] = 1
    mask = [[0 if inside[y][x] else 1 for x in range(n)] for y in range(n)]
    for y in range(n):
        for x in range(n):
            if mask[y][x]:
                grid[y][x] = 0
    return grid, mask


# ---------------------------------------------------------------------------
# Title banner
# ---------------------------------------------------------------------------

# 5 x 7 (some narrower) glyphs, '#' = ink.
FONT = {
    'Y': ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'o': ["....", "....", ".##.", "#..#", "#..#", "#..#", ".##."],
    'r': ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'l': ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'w': [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    'e': ["....", "....", ".##.", "#..#", "####", "#...", ".###"],
    'n': ["....", "....", "#.#.", "##.#", "#..#", "#..#", "#..#"],
    ' ': ["..", "..", "..", "..", "..", "..", ".."],
}


def text_mask(text, sx, sy, gap=1):
    """Rasterises text with the block font; returns (mask, width, height)."""
    cols = []
    for i, ch in enumerate(text):
        g = FONT[ch]
        for gx in range(len(g[0])):
            cols.append([g[gy][gx] == '#' for gy in range(7)])
        if i != len(text) - 1:
            for _ in range(gap):
                cols.append([False] * 7)
    w = len(cols) * sx
    h = 7 * sy
    mask = [[cols[x // sx][y // sy] for x in range(w)] for y in range(h)]
    return mask, w, h


def draw_banner():
    W, H = 300, 60
    horizon = 45
    img = [[(0, 0, 0)] * W for _ in range(H)]

    sky = [(0.00, (14, 12, 40)), (0.30, (40, 28, 88)), (0.58, (112, 48, 112)),
           (0.80, (214, 92, 84)), (1.00, (255, 178, 92))]
    for y in range(horizon):
        c = ramp(sky, y / (horizon - 1))
        for x in range(W):
            img[y][x] = c

    # stars, thinning out towards the glow
    rng = Rng(0x59F3)
    for _ in range(46):
        x = rng.randint(2, W - 3)
        y = rng.randint(1, 22)
        level = rng.next() % 3 if y < 12 else 2
        img[y][x] = ((255, 246, 224), (196, 188, 210), (130, 116, 164))[level]

    # the moon, low over the fen
    mx, my, mr = 238.0, 38.0, 10.5
    for y in range(H):
        for x in range(W):
            d2 = (x + 0.5 - mx) ** 2 + (y + 0.5 - my) ** 2
            if d2 <= (mr + 3.0) ** 2 and y < horizon:
                # soft halo in two steps
                img[y][x] = mix(img[y][x], (255, 210, 150),
                                0.22 if d2 > (mr + 1.5) ** 2 else 0.4)
            if d2 <= mr * mr:
                lit = (x + 0.5 - mx + 3) ** 2 + (y + 0.5 - my + 3) ** 2
                img[y][x] = (255, 246, 200) if lit < 30 else (255, 226, 132)

    # water with the sky mirrored in it, darker
    for y in range(horizon, H):
        t = (y - horizon) / float(H - horizon)
        base = mix(ramp(sky, 1.0 - t * 0.9), (20, 18, 46), 0.55 + 0.3 * t)
        for x in range(W):
            img[y][x] = base
    # moon glints on the water
    rng = Rng(0x2B17)
    for y in range(horizon + 1, H, 2):
        spread = 6 + (y - horizon) * 1.1
        for _ in range(3):
            x0 = int(mx + (rng.next() % 200 / 100.0 - 1.0) * spread)
            ln = rng.randint(2, 7)
            for x in range(x0, x0 + ln):
                if 0 <= x < W:
                    img[y][x] = (250, 206, 120) if y < horizon + 7 \
                        else (196, 150, 110)

    # far hills beyond the water, then the near banks as silhouettes
    def far(x):
        return (horizon - 3.0 - 3.0 * math.sin(x / 23.0)
                - 1.6 * math.sin(x / 9.0 + 1.3))

    def hump(x, centre, half, height):
        # a low mound whose foot lies below the bottom edge
        u = (x - centre) / float(half)
        return H + 2 - height * max(0.0, 1 - u * u)

    def bank(x):
        return min(hump(x, 40, 95, 18), hump(x, 150, 40, 6),
                   hump(x, 305, 48, 14))

    for x in range(W):
        f = far(x)
        for y in range(int(f), horizon):
            if y + 0.5 >= f:
                img[y][x] = (66, 40, 86) if y + 0.5 < f + 1 else (46, 28, 66)
        t = bank(x)
        for y in range(max(0, int(t)), H):
            if y + 0.5 >= t:
                img[y][x] = (34, 44, 40) if y + 0.5 < t + 1 else (14, 22, 24)

    # reeds and cattails along the banks
    def reed(x, top, lean, head):
        for y in range(top, H):
            xx = int(round(x + lean * (H - y) / float(H - top)))
            if 0 <= xx < W:
                img[y][xx] = (10, 14, 16)
        if head:
            hx = int(round(x + lean))
            for y in range(top + 1, min(top + 6, H)):
                for xx in (hx, hx + 1):
                    if 0 <= xx < W:
                        img[y][xx] = (36, 20, 14)
            if 0 <= hx < W:
                img[top][hx] = (10, 14, 16)

    rng = Rng(0x7A11)
    for base, span, count, lo in ((2, 70, 12, 36), (76, 40, 5, 42),
                                  (140, 24, 3, 46), (272, 26, 7, 38)):
        for i in range(count):
            x = base + rng.randint(0, span)
            top = rng.randint(lo, lo + 10)
            lean = rng.randint(-3, 3)
            reed(x, top, lean, head=(i % 3 != 2))

    # title: shadow, dark outline, then gradient-filled letters
    sx, sy = 4, 4
    mask, tw, th = text_mask("Yorv HollowFen", sx, sy)
    ox = (W - tw) // 2 - 1
    oy = 6
    fill = [(0.0, (255, 250, 214)), (0.45, (255, 214, 98)),
            (1.0, (226, 118, 40))]

    def at(px, py):
        return 0 <= px < tw and 0 <= py < th and mask[py][px]

    for y in range(-2, th + 4):
        for x in range(-2, tw + 4):
            X, Y = ox + x, oy + y
            if not (0 <= X < W and 0 <= Y < H):
                continue
            if at(x, y):
                c = ramp(fill, (y // 2 * 2) / (th - 2.0))
                # bevel: lighter upper-left edge of each block stroke
                if not at(x, y - 1) or not at(x - 1, y):
                    c = mix(c, (255, 255, 240), 0.55)
                elif not at(x, y + 1) or not at(x + 1, y):
                    c = mix(c, (120, 50, 20), 0.45)
                img[Y][X] = c
            elif any(at(x + dx, y + dy) for dx in (-1, 0, 1)
                     for dy in (-1, 0, 1)):
                img[Y][X] = (26, 10, 22)
            elif at(x - 2, y - 2) or at(x - 3, y - 3) or \
                    at(x - 1, y - 2) or at(x - 2, y - 3):
                img[Y][X] = mix(img[Y][X], (8, 4, 16), 0.6)
    return img


# ---------------------------------------------------------------------------
# Button glyphs (16-colour VGA palette, magenta background)
# ---------------------------------------------------------------------------

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_MAGENTA = 13
VGA_GREY = 8
VGA_WHITE = 15

CHARS = {
    '.': 13,  # transparent
    'K': 0, 'r': 1, 'g': 2, 'y': 3, 'N': 4, 'P': 5, 'T': 6, 'S': 7,
    'G': 8, 'R': 9, 'L': 10, 'Y': 11, 'B': 12, 'C': 14, 'W': 15,
}


def parse(art):
    return [[CHARS[ch] for ch in line] for line in art]


def glyph_exit():
    # a door swung open, and an arrow on its way out
    return parse([
        ".KK.............",
        ".KyKKKKKKK......",
        ".KyyKWWWWK......",
        ".KyyKWWWWK......",
        ".KyyKWWWWK.KK...",
        ".KyyKWWWWK.KRK..",
        ".KyyKWKKKKKKRRK.",
        ".KYyKWKRRRRRRRRK",
        ".KYyKWKRRRRRRRRK",
        ".KyyKWKKKKKKRRK.",
        ".KyyKWWWWK.KRK..",
        ".KyyKWWWWK.KK...",
        ".KyyKWWWWK......",
        ".KyyKWWWWK......",
        ".KyKKKKKKK......",
        ".KK.............",
    ])


def glyph_play():
    # a right-pointing triangle, lit from the upper left
    g = [['.'] * 16 for _ in range(16)]
    for y in range(2, 14):
        half = y - 2 if y <= 7 else 13 - y
        for x in range(3, 3 + 2 * half + 2):
            g[y][x] = 'L'
    inside = [[g[y][x] != '.' for x in range(16)] for y in range(16)]
    for x, y in outline_of(inside, 16, 16):
        g[y][x] = 'g'
    for y in range(4, 8):               # a glint along the upper edge
        g[y][4] = 'W' if y < 7 else 'L'
    return parse([''.join(r) for r in g])


def glyph_edit():
    # a pencil lying diagonally, point at the lower left
    g = [['.'] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            d = x + y          # across the pencil: 12 .. 16
            e = x - y          # along it: tip at -12, eraser end at +12
            if not (12 <= d <= 16) or e > 12 or e < -12:
                continue
            # taper the sharpened end
            if e < -4:
                half = (e + 12) / 4.0
                if abs(d - 14) > half + 0.01:
                    continue
            if e >= 8:
                ch = 'R' if d <= 14 else 'r'
            elif e >= 5:
                ch = 'W' if d == 13 else ('S' if d == 14 else 'G')
            elif e >= -4:
                ch = 'W' if d == 13 else ('Y' if d == 14 else 'y')
            elif e >= -9:
                ch = 'W' if d <= 14 else 'S'
            else:
                ch = 'K'
            g[y][x] = ch
    inside = [[g[y][x] != '.' for x in range(16)] for y in range(16)]
    for x, y in outline_of(inside, 16, 16):
        if g[y][x] != 'K':
            g[y][x] = 'K'
    return parse([''.join(r) for r in g])


def glyph_remove():
    # a bold red cross
    g = [['.'] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            px, py = x + 0.5, y + 0.5
            if not (1.5 <= px <= 14.5 and 1.5 <= py <= 14.5):
                continue
            a = abs(px - py)
            b = abs(px + py - 16)
            if min(a, b) <= 2.2:
                g[y][x] = 'R'
    inside = [[g[y][x] != '.' for x in range(16)] for y in range(16)]
    for x, y in outline_of(inside, 16, 16):
        g[y][x] = 'r'
    return parse([''.join(r) for r in g])


def glyph_about():
    # a white "i" on a blue disc, 18 x 18
    n = 18
    g = [['.'] * n for _ in range(n)]
    c = (n - 1) / 2.0
    for y in range(n):
        for x in range(n):
            if (x - c) ** 2 + (y - c) ** 2 <= 8.4 ** 2:
                g[y][x] = 'B'
    inside = [[g[y][x] != '.' for x in range(n)] for y in range(n)]
    for x, y in outline_of(inside, n, n):
        g[y][x] = 'N'
    art = {
        3: "........WW........",
        4: "........WW........",
        7: ".......WWW........",
        8: "........WW........",
        9: "........WW........",
        10: "........WW........",
        11: "........WW........",
        12: "........WW........",
        13: ".......WWWW.......",
    }
    for y, line in art.items():
        for x, ch in enumerate(line):
            if ch == 'W':
                g[y][x] = 'W'
    return parse([''.join(r) for r in g])


def disabled(grid):
    """Grey etched version: the dark lines in grey, with a white relief
    falling outside the shape at the lower right."""
    h, w = len(grid), len(grid[0])

    def ink(v):
        if v == VGA_MAGENTA:
            return False
        r, g, b = VGA[v]
        return 0.30 * r + 0.59 * g + 0.11 * b < 100

    out = [[VGA_MAGENTA] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if ink(grid[y][x]) and x + 1 < w and y + 1 < h \
                    and grid[y + 1][x + 1] == VGA_MAGENTA:
                out[y + 1][x + 1] = VGA_WHITE
    for y in range(h):
        for x in range(w):
            if ink(grid[y][x]):
                out[y][x] = VGA_GREY
    return out


# ---------------------------------------------------------------------------
# Dialog pictures, 32 x 32, 256 colours
# ---------------------------------------------------------------------------

def draw_about():
    """An open book with the moon over the fen on its left page."""
    n = 32
    img = [[FACE] * n for _ in range(n)]
    ink = (40, 26, 20)
    paper = (252, 246, 226)
    paper_shade = (226, 214, 184)
    cover = (120, 40, 36)
    cover_dark = (74, 22, 24)

    inside = [[False] * n for _ in range(n)]
    for x in range(1, 31):
        top = 7.0 + (2.5 - 0.19 * abs(x + 0.5 - 16.0)) if abs(x + 0.5 - 16) > 1 \
            else 10.0
        bot = top + 17.0
        for y in range(n):
            if top <= y + 0.5 <= bot:
                inside[y][x] = True
                img[y][x] = paper
    # cover peeking out below the pages
    for x in range(0, 32):
        top = 7.0 + (2.5 - 0.19 * abs(x + 0.5 - 16.0)) + 17.0
        for y in range(n):
            if top < y + 0.5 <= top + 3.0 and 0 <= x < 32:
                if not inside[y][x]:
                    img[y][x] = cover if y + 0.5 <= top + 2.0 else cover_dark
    # page edges (stacked leaves) along the bottom of each page
    for x in range(1, 31):
        col = [y for y in range(n) if inside[y][x]]
        if col:
            img[col[-1]][x] = paper_shade
            img[col[-1] - 1][x] = (240, 232, 206)
    # gutter shading by the spine
    for y in range(n):
        for x in (14, 17):
            if inside[y][x]:
                img[y][x] = paper_shade
        for x in (15, 16):
            if inside[y][x]:
                img[y][x] = (196, 180, 146)
    # outline the pages
    for x, y in outline_of(inside, n, n):
        img[y][x] = ink
    # left page: a little dusk picture of the fen
    px0, px1, py0, py1 = 4, 12, 11, 20
    for y in range(py0, py1 + 1):
        for x in range(px0, px1 + 1):
            t = (y - py0) / float(py1 - py0)
            img[y][x] = ramp([(0, (46, 38, 104)), (0.6, (170, 80, 120)),
                              (1, (240, 150, 80))], t)
    for y in range(py0, py1 + 1):       # the moon
        for x in range(px0, px1 + 1):
            if (x - 9.5) ** 2 + (y - 13.5) ** 2 <= 4.0:
                img[y][x] = (255, 226, 110)
    for x in range(px0, px1 + 1):       # hill
        top = 17.5 + 0.12 * (x - 5) ** 2 * 0.4
        for y in range(py0, py1 + 1):
            if y + 0.5 >= top:
                img[y][x] = (34, 86, 46)
    for y in range(py0 - 1, py1 + 2):   # frame
        for x in (px0 - 1, px1 + 1):
            img[y][x] = (150, 128, 96)
    for x in range(px0 - 1, px1 + 2):
        for y in (py0 - 1, py1 + 1):
            img[y][x] = (150, 128, 96)
    # right page: lines of writing
    for i, y in enumerate(range(11, 23, 2)):
        x0 = 19
        x1 = 28 if i % 3 != 2 else 25
        for x in range(x0, x1):
            if inside[y][x]:
                img[y][x] = (128, 112, 100) if x % 4 != 2 or i == 0 \
                    else (176, 160, 140)
    # ribbon marker hanging out of the spine
    for y in range(24, 30):
        for x in (16,):
            img[y][x] = (200, 40, 48) if y < 29 else (140, 24, 32)
    img[29][15] = (140, 24, 32)
    return img


def draw_working():
    """An hourglass with the sand half run through."""
    n = 32
    img = [[FACE] * n for _ in range(n)]
    wood = (150, 92, 44)
    wood_lt = (200, 140, 80)
    wood_dk = (86, 48, 22)
    ink = (40, 24, 14)
    glass = (226, 240, 248)
    glass_edge = (150, 176, 196)
    sand = (236, 190, 86)
    sand_dk = (196, 142, 52)

    def glass_half_width(y):
        # bulbs from y=5..15 and 16..26, narrow neck at 15.5
        t = abs(y + 0.5 - 15.5) / 10.5     # 0 at the neck, 1 at the caps
        return 1.2 + 8.4 * (t ** 0.7)

    # glass
    inside = [[False] * n for _ in range(n)]
    for y in range(5, 27):
        hw = glass_half_width(y)
        for x in range(n):
            if abs(x + 0.5 - 16.0) <= hw:
                inside[y][x] = True
                img[y][x] = glass
    # sand: a settled heap in the lower bulb, a sinking layer above,
    # and a thin trickle through the neck
    for y in range(5, 27):
        hw = glass_half_width(y)
        for x in range(n):
            if not inside[y][x]:
                continue
            dx = abs(x + 0.5 - 16.0)
            if 10 <= y <= 14 and dx <= hw - 0.6:
                img[y][x] = sand if dx < hw - 1.8 else sand_dk
            if y >= 26 - (6.5 - dx * 0.75) and y > 16:
                img[y][x] = sand if dx < 5 else sand_dk
    for y in range(15, 21):
        img[y][15] = sand
        img[y][16] = sand_dk if y > 16 else sand
    for x, y in outline_of(inside, n, n):
        img[y][x] = glass_edge
    # glint on the glass
    for y in (7, 8, 9):
        img[y][10 + (y - 7) // 2] = (255, 255, 255)
    img[21][11] = (255, 255, 255)
    img[22][11] = (255, 255, 255)
    # top and bottom caps
    for y0 in (2, 27):
        for y in range(y0, y0 + 3):
            for x in range(4, 28):
                c = wood
                if y == y0:
                    c = wood_lt
                elif y == y0 + 2:
                    c = wood_dk
                if x in (4, 27):
                    c = ink
                img[y][x] = c
        for x in range(4, 28):
            img[y0 - 1 if y0 == 2 else y0 + 3][x] = ink
    # turned posts at each side
    for x0 in (6, 24):
        for y in range(5, 27):
            img[y][x0] = wood_dk
            img[y][x0 + 1] = wood if (y - 5) % 7 != 3 else wood_lt
        for y in (10, 21):
            img[y][x0 + 1] = wood_lt
    for y in (1, 30):
        for x in range(4, 28):
            img[y][x] = ink
    for y in range(1, 31):
        img[y][3] = FACE
        img[y][28] = FACE
    for y in range(2, 5):
        img[y][4] = ink
        img[y][27] = ink
    for y in range(27, 30):
        img[y][4] = ink
        img[y][27] = ink
    return img


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(here, '..', 'resources', 'art')
    os.makedirs(outdir, exist_ok=True)

    def write(name, data):
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)

    big = draw_icon(32)
    small = draw_icon(16)
    write('yorv.ico', ico_bytes([(big[0], big[1], ICON_PALETTE),
                                 (small[0], small[1], ICON_PALETTE)]))

    rows, pal = index_image(draw_banner())
    write('banner.bmp', bmp_bytes(rows, pal, 8))

    for name, fn in (('exit', glyph_exit), ('play', glyph_play),
                     ('edit', glyph_edit), ('remove', glyph_remove),
                     ('about', glyph_about)):
        grid = fn()
        write('glyph_%s.bmp' % name, bmp_bytes(grid, VGA, 4))
        write('glyph_%s_off.bmp' % name, bmp_bytes(disabled(grid), VGA, 4))

    for name, fn in (('about', draw_about), ('working', draw_working)):
        rows, pal = index_image(fn())
        write(name + '.bmp', bmp_bytes(rows, pal, 8))


if __name__ == '__main__':
    main()
