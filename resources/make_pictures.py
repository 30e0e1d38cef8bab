#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes Ravelon's pictures as XPM files (and the icon also as SVG).

The tool-bar images are drawn here as character grids, one character a pixel;
the cursors are built from rounded strokes (fingers, palm) painted back to
front, each with a black rim; the icon is a trefoil traced from its
parametric curve and anti-aliased by sampling each pixel 4 x 4 times.
Only the standard library is used. Run from anywhere:

    python3 resources/make_pictures.py

and commit the files it rewrites.
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- XPM output

def write_xpm(path, name, rows, palette):
    """rows: list of strings, one character a pixel; palette: char -> colour."""
    height = len(rows)
    width = len(rows[0])
    for r in rows:
        assert len(r) == width, (path, r)
        for ch in r:
            assert ch in palette, (path, ch)
    used = [c for c in palette if any(c in r for r in rows)]
    lines = ['/* XPM */', 'static const char *%s[] = {' % name,
             '"%d %d %d 1",' % (width, height, len(used))]
    for c in used:
        lines.append('"%s c %s",' % (c, palette[c]))
    for i, r in enumerate(rows):
        lines.append('"%s"%s' % (r, ',' if i + 1 < height else ''))
    lines.append('};')
    with open(os.path.join(HERE, path), 'w', encoding='ascii') as f:
        f.write('\n'.join(lines) + '\n')


def write_xpm_rgb(path, name, pixels):
    """pixels: rows of None or (r, g, b); colours get two-character codes."""
    codes = {}
    alphabet = ('abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ'
                '0123456789#$%&*+-=@:;<>?/|~^')
    def code(i):
        return alphabet[i // len(alphabet)] + alphabet[i % len(alphabet)]
    rows = []
    for row in pixels:
        out = []
        for p in row:
            if p not in codes:
                codes[p] = code(len(codes))
            out.append(codes[p])
        rows.append(''.join(out))
    assert len(codes) <= len(alphabet) ** 2
    lines = ['/* XPM */', 'static const char *%s[] = {' % name,
             '"%d %d %d 2",' % (len(pixels[0]), len(pixels), len(codes))]
    for colour, c in codes.items():
        value = 'None' if colour is None else '#%02X%02X%02X' % colour
        lines.append('"%s c %s",' % (c, value))
    for i, r in enumerate(rows):
        lines.append('"%s"%s' % (r, ',' if i + 1 < len(rows) else ''))
    lines.append('};')
    with open(os.path.join(HERE, path), 'w', encoding='ascii') as f:
        f.write('\n'.join(lines) + '\n')

# ----------------------------------------------------------- tool-bar images

TOOL_PALETTE = {
    '.': 'None',
    'k': '#000000',   # outline
    'w': '#FFFFFF',
    'g': '#C0C0C0',   # light grey
    'G': '#808080',   # dark grey
    'y': '#FFE070',   # folder, light
    'Y': '#D8A820',   # folder, front
    'b': '#3060C8',   # blue
    'B': '#102C80',   # dark blue
    'r': '#C82020',   # red
    'n': '#A8E0A0',   # display green
    'o': '#40C040',   # indicator light
}

TOOLS = [
    # 0: a blank page with a folded corner
    ['................',
     '..kkkkkkkkk.....',
     '..kwwwwwwwkk....',
     '..kwwwwwwwkgk...',
     '..kwwwwwwwkggk..',
     '..kwwwwwwwkkkkk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kwwwwwwwwwwwk.',
     '..kkkkkkkkkkkkk.',
     '................'],
    # 1: an open folder
    ['................',
     '................',
     '................',
     '.kkkk...........',
     'kyyyyk..........',
     'kywwyykkkkkkk...',
     'kywyyyyyyyyyk...',
     'kyyyyyyyyyyyk...',
     'kyyykkkkkkkkkkkk',
     'kyykYYYYYYYYYYYk',
     'kykYYYYYYYYYYYk.',
     'kkYYYYYYYYYYYk..',
     'kYYYYYYYYYYYk...',
     'kkkkkkkkkkkk....',
     '................',
     '................'],
    # 2: a floppy disk: metal shutter above, label below
    ['................',
     '.kkkkkkkkkkkkk..',
     '.kbbgggggggbbbk.',
     '.kbbggggGGgbbbk.',
     '.kbbggggGGgbbbk.',
     '.kbbggggGGgbbbk.',
     '.kbbgggggggbbbk.',
     '.kbbbbbbbbbbbbk.',
     '.kbwwwwwwwwwwbk.',
     '.kbwGGGGGGGGwbk.',
     '.kbwwwwwwwwwwbk.',
     '.kbwGGGGGGGGwbk.',
     '.kbwwwwwwwwwwbk.',
     '.kbwwwwwwwwwwbk.',
     '.kkkkkkkkkkkkkk.',
     '................'],
    # 3: a printer with a sheet going in and one coming out
    ['................',
     '....kkkkkkkk....',
     '....kwwwwwwk....',
     '....kwGGGGwk....',
     '....kwwwwwwk....',
     '..kkkkkkkkkkkk..',
     '.kggggggggggggk.',
     '.kwwwwwwwwwwwwk.',
     '.kggggggggggogk.',
     '.kGGGGGGGGGGGGk.',
     '.kkkkkkkkkkkkkk.',
     '...kwwwwwwwwk...',
     '...kwGGGGGGwk...',
     '...kwwwwwwwwk...',
     '...kkkkkkkkkk...',
     '................'],
    # 4: a calculator: display and three columns of keys
    ['................',
     '..kkkkkkkkkkkk..',
     '..kGGGGGGGGGGk..',
     '..kGkkkkkkkkGk..',
     '..kGknnnnnnkGk..',
     '..kGknnnnnnkGk..',
     '..kGkkkkkkkkGk..',
     '..kGGGGGGGGGGk..',
     '..kGwwGwwGrrGk..',
     '..kGGGGGGGGGGk..',
     '..kGwwGwwGrrGk..',
     '..kGGGGGGGGGGk..',
     '..kGwwGwwGwwGk..',
     '..kGGGGGGGGGGk..',
     '..kkkkkkkkkkkk..',
     '................'],
    # 5: an up arrow beside a down arrow
    ['................',
     '...B.......BBB..',
     '..BbB......BbB..',
     '.BbbbB.....BbB..',
     'BbbbbbB....BbB..',
     'BBBbBBB....BbB..',
     '..BbB......BbB..',
     '..BbB......BbB..',
     '..BbB......BbB..',
     '..BbB......BbB..',
     '..BbB....BBBbBBB',
     '..BbB....BbbbbbB',
     '..BbB.....BbbbB.',
     '..BbB......BbB..',
     '..BBB.......B...',
     '................'],
    # 6: a blank sheet, its width and height marked by arrows
    ['..r...kkkkkkkkkk',
     '.rrr..kwwwwwwwwk',
     'rrrrr.kwwwwwwwwk',
     '..r...kwwwwwwwwk',
     '..r...kwwwwwwwwk',
     '..r...kwwwwwwwwk',
     '..r...kwwwwwwwwk',
     'rrrrr.kwwwwwwwwk',
     '.rrr..kwwwwwwwwk',
     '..r...kkkkkkkkkk',
     '................',
     '........r....r..',
     '.......rr....rr.',
     '......rrrrrrrrrr',
     '.......rr....rr.',
     '........r....r..'],
    # 7: a closed book: blue cover with a title, pages below, dark spine
    ['................',
     '...kkkkkkkkkkkk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbyyyyybbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbyyyyybbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBbbbbbbbbbbk.',
     '..kBkkkkkkkkkkk.',
     '..kBwwwwwwwwwwk.',
     '..kBkkkkkkkkkkk.',
     '...kkkkkkkkkkk..',
     '................'],
]

# ------------------------------------------------------------------ cursors

def capsule(ax, ay, bx, by, r):
    """The set of points within r of the segment from (ax, ay) to (bx, by)."""
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= r * r
    return inside


def box(x0, y0, x1, y1, r):
    """A rectangle with corners rounded by r (pixel-centre coordinates)."""
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def paint_cursor(parts, size=32):
    """Paints the parts back to front: each is white, rimmed in black."""
    grid = [['.'] * size for _ in range(size)]
    for part in parts:
        mask = [[part(x, y) for x in range(size)] for y in range(size)]
        for y in range(size):
            for x in range(size):
                if not mask[y][x]:
                    continue
                edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and mask[y + dy][x + dx])
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                grid[y][x] = 'k' if edge else 'w'
    return [''.join(r) for r in grid]


CURSOR_PALETTE = {'.': 'None', 'k': '#000000', 'w': '#FFFFFF'}


def pointing_hand():
    # The fingertip's top rim is at (13, 4): the finger is 7 wide around x = 13.
    return paint_cursor([
        box(9, 14, 24, 28, 3),              # palm
        capsule(7, 16, 10, 21, 2.6),        # thumb, lying forward on the left
        capsule(16, 16, 16, 17, 3.0),       # curled middle finger
        capsule(19, 17, 19, 18, 2.8),       # curled ring finger
        capsule(22, 18, 22, 19, 2.5),       # curled little finger
        box(10, 4, 16, 21, 2),             # the index finger, pointing up
        box(10, 27, 23, 30, 0.5),           # cuff
    ])


def open_hand():
    return paint_cursor([
        capsule(7, 13, 11, 19, 2.5),        # thumb, out to the left
        capsule(12, 7, 12, 17, 2.4),        # index finger
        capsule(16, 5, 16, 17, 2.4),        # middle finger
        capsule(20, 7, 20, 17, 2.4),        # ring finger
        capsule(24, 10, 23, 18, 2.2),       # little finger
        box(10, 14, 25, 25, 4),             # palm
    ])


def closed_hand():
    return paint_cursor([
        box(9, 12, 25, 24, 4),              # the fist
        capsule(12, 12, 12, 15, 2.4),       # knuckles, front to back
        capsule(16, 11.5, 16, 15, 2.4),
        capsule(20, 12, 20, 15, 2.4),
        capsule(23.5, 13, 23.5, 15, 2.2),
        capsule(8, 17, 14, 19, 2.2),        # thumb folded across
    ])

# --------------------------------------------------------------------- icon

def trefoil(t):
    """The trefoil's curve, roughly within [-3, 3] x [-3, 3]."""
    return (math.sin(t) + 2 * math.sin(2 * t), math.cos(t) - 2 * math.cos(2 * t))


def self_crossings(samples=3000):
    """Parameter pairs (t, u) at which the curve crosses itself."""
    pts = [trefoil(2 * math.pi * i / samples) for i in range(samples + 1)]
    found = []
    for i in range(samples):
        (ax, ay), (bx, by) = pts[i], pts[i + 1]
        for j in range(i + 2, samples):
            if i == 0 and j == samples - 1:
                continue
            (cx, cy), (dx, dy) = pts[j], pts[j + 1]
            den = (bx - ax) * (dy - cy) - (by - ay) * (dx - cx)
            if den == 0:
                continue
            s = ((cx - ax) * (dy - cy) - (cy - ay) * (dx - cx)) / den
            u = ((cx - ax) * (by - ay) - (cy - ay) * (bx - ax)) / den
            if 0 <= s < 1 and 0 <= u < 1:
                found.append((2 * math.pi * (i + s) / samples, 2 * math.pi * (j + u) / samples))
    return found


def speed(t):
    return math.hypot(math.cos(t) + 4 * math.cos(2 * t), -math.sin(t) + 4 * math.sin(2 * t))


def strands(gap):
    """The curve cut at its under-passes: a list of (t0, t1) arcs.

    Along the curve over and under alternate; the under-passes are cut out,
    a length of `gap` (in curve units) on each side."""
    passes = []
    for t, u in self_crossings():
        passes.extend([t, u])
    passes.sort()
    unders = passes[1::2]
    arcs = []
    for k, t in enumerate(unders):
        nxt = unders[(k + 1) % len(unders)]
        if nxt < t:
            nxt += 2 * math.pi
        arcs.append((t + gap / speed(t), nxt - gap / speed(nxt)))
    return arcs


GAP = 0.75        # curve length cut out on each side of an under-pass
CENTRE_Y = 0.45   # the curve spans y from -3 to 2.1: this moves it to the middle
BLUE = (0x1F, 0x4F, 0xD0)
RED = (0xD0, 0x20, 0x30)


def shade(x, y):
    """Blue in the top left to red in the bottom right, as in the SVG."""
    f = max(0.0, min(1.0, (x + y + 6) / 12))
    return tuple(round(BLUE[i] + (RED[i] - BLUE[i]) * f) for i in range(3))


def icon_pixels(size):
    scale = size / (6.8 if size < 24 else 7.2)  # curve units to pixels
    width = 0.42 if size < 24 else 0.45  # stroke half-width in curve units
    rim = 0.0 if size < 24 else max(1.0 / scale, 0.1)  # dark rim, one pixel
    arcs = [[trefoil(t0 + (t1 - t0) * i / 120) for i in range(121)] for t0, t1 in strands(GAP)]

    def distance(x, y, arc):
        best = 1e9
        for (ax, ay), (bx, by) in zip(arc, arc[1:]):
            dx, dy = bx - ax, by - ay
            l2 = dx * dx + dy * dy
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / l2))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best

    n = 4
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    x = ((px + (sx + 0.5) / n) - size / 2) / scale
                    y = ((py + (sy + 0.5) / n) - size / 2) / scale - CENTRE_Y
                    d = min(distance(x, y, a) for a in arcs)
                    if d <= width:
                        c = shade(x, y)
                        if d > width - rim:
                            c = tuple(v // 2 for v in c)
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits * 2 >= n * n:
                row.append(tuple(min(255, (round(v / hits) + 4) // 8 * 8) for v in acc))
            else:
                row.append(None)
        pixels.append(row)
    return pixels


def icon_svg():
    width = 0.45
    paths = []
    for t0, t1 in strands(GAP):
        pts = [trefoil(t0 + (t1 - t0) * i / 120) for i in range(121)]
        d = 'M' + ' L'.join('%.3f,%.3f' % (x, y + CENTRE_Y) for x, y in pts)
        paths.append(d)
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<!-- Ravelon\'s icon: a trefoil knot, written by make_pictures.py -->',
           '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="-3.6 -3.6 7.2 7.2">',
           '  <defs>',
           '    <linearGradient id="shade" gradientUnits="userSpaceOnUse" x1="-3" y1="-3" x2="3" y2="3">',
           '      <stop offset="0" stop-color="#%02X%02X%02X"/>' % BLUE,
           '      <stop offset="1" stop-color="#%02X%02X%02X"/>' % RED,
           '    </linearGradient>',
           '    <linearGradient id="rim" gradientUnits="userSpaceOnUse" x1="-3" y1="-3" x2="3" y2="3">',
           '      <stop offset="0" stop-color="#%02X%02X%02X"/>' % tuple(v // 2 for v in BLUE),
           '      <stop offset="1" stop-color="#%02X%02X%02X"/>' % tuple(v // 2 for v in RED),
           '    </linearGradient>',
           '  </defs>',
           '  <g fill="none" stroke-linecap="round" stroke-linejoin="round">']
    for d in paths:
        out.append('    <path d="%s" stroke="url(#rim)" stroke-width="%.2f"/>' % (d, 2 * width))
        out.append('    <path d="%s" stroke="url(#shade)" stroke-width="%.2f"/>' % (d, 2 * (width - 0.1)))
    out += ['  </g>', '</svg>']
    with open(os.path.join(HERE, 'icon/ravelon.svg'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')


def main():
    for i, rows in enumerate(TOOLS):
        write_xpm('images/tool%d.xpm' % i, 'tool%d' % i, rows, TOOL_PALETTE)
    for i, hand in enumerate((pointing_hand, open_hand, closed_hand), start=1):
        write_xpm('cursors/cursor%d.xpm' % i, 'cursor%d' % i, hand(), CURSOR_PALETTE)
    for size in (16, 32, 48, 128):
        write_xpm_rgb('icon/ravelon-%d.xpm' % size, 'ravelon_%d' % size, icon_pixels(size))
    icon_svg()


if __name__ == '__main__':
    main()
