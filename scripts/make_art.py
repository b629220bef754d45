#!/usr/bin/env python3
"""Draws the saver's pictures as 24-bit BMP files under assets/art/: the flag of Tavoria, the
team's crest and four players in the Tavorian kit; and the programs' icons as ICO files: the
saver's crest, Kelvane's crest with its upgrade arrow and the upgrade document's page. Standard
library only; run it again to remake them: python3 scripts/make_art.py

    python3 scripts/make_art.py --preview DIR   also writes each icon size as a PNG, and the same
                                                magnified eight times, to look at"""

import math
import os
import random
import struct
import sys
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "art")

BLUE = (18, 52, 140)
DEEP_BLUE = (10, 30, 90)
GOLD = (240, 190, 40)
WHITE = (250, 250, 250)
RED = (200, 30, 40)
BLACK = (20, 20, 20)

# A 5 x 7 pixel font for the few letters and digits the pictures carry.
FONT = {
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "0": ["01110", "10011", "10101", "11001", "10001", "10001", "01110"],
}


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.w, self.h = width, height
        self.px = [[colour] * width for _ in range(height)]

    def set(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, int(y0)), min(self.h, int(y1))):
            for x in range(max(0, int(x0)), min(self.w, int(x1))):
                self.px[y][x] = c

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1:
                    self.set(x, y, c)

    def polygon(self, points, c):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            yc = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(int(round(a)), int(round(b))):
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, width, c):
        # A thick segment as a polygon.
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy) or 1
        ox, oy = -dy / n * width / 2, dx / n * width / 2
        self.polygon([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy),
                      (x0 - ox, y0 - oy)], c)
        self.ellipse(x0, y0, width / 2, width / 2, c)
        self.ellipse(x1, y1, width / 2, width / 2, c)

    def star(self, cx, cy, r_out, r_in, points, c, turn=-math.pi / 2):
        pts = []
        for i in range(points * 2):
            r = r_out if i % 2 == 0 else r_in
            a = turn + i * math.pi / points
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.polygon(pts, c)

    def text(self, x, y, s, scale, c):
        for k, ch in enumerate(s):
            for j, row in enumerate(FONT[ch]):
                for i, bit in enumerate(row):
                    if bit == "1":
                        self.rect(x + (k * 6 + i) * scale, y + j * scale,
                                  x + (k * 6 + i + 1) * scale, y + (j + 1) * scale, c)

    def save(self, name):
        row = (self.w * 3 + 3) // 4 * 4
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for r, g, b in self.px[y]:
                line += bytes((b, g, r))
            data += line + bytes(row - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 3780, 3780,
                           0, 0)
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(header + info + data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def flag():
    # The river flag: a blue field crossed by the white river Tavor, edged in gold, and at the
    # hoist a red band with the eight-pointed golden sun of the nation.
    c = Canvas(191, 115, BLUE)
    for x in range(52, 191):
        centre = 57.5 + 11 * math.sin((x - 52) / 139 * 2 * math.pi)
        c.rect(x, centre - 11, x + 1, centre + 11, GOLD)
        c.rect(x, centre - 8, x + 1, centre + 8, WHITE)
    c.rect(0, 0, 52, 115, RED)
    c.rect(52, 0, 54, 115, GOLD)
    c.star(26, 57.5, 19, 9, 8, GOLD)
    c.ellipse(26, 57.5, 6, 6, RED)
    return c


def crest():
    c = Canvas(137, 196, BLACK)
    shield = [(6, 30), (131, 30), (131, 110), (118, 150), (68.5, 190), (19, 150), (6, 110)]
    c.polygon(shield, GOLD)
    inner = [(13, 37), (124, 37), (124, 108), (112, 145), (68.5, 181), (25, 145), (13, 108)]
    c.polygon(inner, BLUE)
    # A white band across the field and the star above it.
    c.polygon([(13, 96), (124, 66), (124, 84), (13, 114)], WHITE)
    c.star(68.5, 62, 16, 7, 5, GOLD)
    # A football at the foot of the shield.
    c.ellipse(68.5, 140, 19, 19, WHITE)
    c.star(68.5, 140, 7, 5, 5, BLACK)
    for a in range(5):
        ang = -math.pi / 2 + a * 2 * math.pi / 5
        c.line(68.5 + 7 * math.cos(ang), 140 + 7 * math.sin(ang), 68.5 + 17 * math.cos(ang),
               140 + 17 * math.sin(ang), 1.5, BLACK)
    # The crown band with the nation's name.
    c.rect(6, 4, 131, 26, RED)
    c.rect(6, 4, 131, 6, GOLD)
    c.rect(6, 24, 131, 26, GOLD)
    c.text(68.5 - (7 * 6 * 2 - 2) / 2, 8, "TAVORIA", 2, WHITE)
    return c


SKIN = [(241, 200, 160), (198, 140, 95), (120, 80, 50), (230, 180, 140)]
HAIR = [(60, 40, 20), (20, 15, 10), (15, 10, 10), (200, 160, 80)]


def player(width, number, skin, hair, pose, seed):
    rnd = random.Random(seed)
    h = 166
    c = Canvas(width, h)
    # The stand: a dark crowd with dots of colour, then the advertising boards, then the pitch.
    for y in range(0, 70):
        c.rect(0, y, width, y + 1, mix((25, 25, 45), (55, 55, 80), y / 70))
    for _ in range(width * 6):
        c.set(rnd.randrange(width), rnd.randrange(66),
              rnd.choice([(200, 200, 210), GOLD, (80, 110, 200), (180, 60, 60), (120, 120, 140)]))
    c.rect(0, 66, width, 78, (230, 230, 235))
    for x in range(0, width, 30):
        c.rect(x + 4, 69, x + 24, 75, BLUE if (x // 30) % 2 else RED)
    for y in range(78, h):
        base = (46, 140, 60) if (y // 12) % 2 else (40, 125, 52)
        c.rect(0, y, width, y + 1, mix(base, (70, 170, 80), (y - 78) / 88))

    cx = width / 2 + pose * 6
    # Legs in white shorts and blue socks, boots.
    lean = pose * 8
    c.line(cx - 9, 118, cx - 14 - lean, 150, 9, skin)
    c.line(cx + 9, 118, cx + 14 + lean, 148, 9, skin)
    c.line(cx - 13 - lean * 0.8, 135, cx - 14 - lean, 152, 10, BLUE)
    c.line(cx + 13 + lean * 0.8, 133, cx + 14 + lean, 150, 10, BLUE)
    c.ellipse(cx - 17 - lean, 156, 8, 4, BLACK)
    c.ellipse(cx + 17 + lean, 154, 8, 4, BLACK)
    c.polygon([(cx - 19, 104), (cx + 19, 104), (cx + 21, 124), (cx + 3, 124), (cx, 117),
               (cx - 3, 124), (cx - 21, 124)], WHITE)
    # Arms, then the shirt over them.
    arm = [(-1, 1), (1, -1), (0, 0), (-1, -1)][pose % 4]
    c.line(cx - 20, 62, cx - 32, 84 - arm[0] * 20, 8, BLUE)
    c.line(cx - 32, 84 - arm[0] * 20, cx - 34, 104 - arm[0] * 34, 7, skin)
    c.line(cx + 20, 62, cx + 32, 84 - arm[1] * 20, 8, BLUE)
    c.line(cx + 32, 84 - arm[1] * 20, cx + 34, 104 - arm[1] * 34, 7, skin)
    c.polygon([(cx - 22, 58), (cx + 22, 58), (cx + 20, 106), (cx - 20, 106)], BLUE)
    c.rect(cx - 22, 58, cx + 22, 62, GOLD)
    c.polygon([(cx - 6, 58), (cx + 6, 58), (cx, 66)], skin)
    c.line(cx - 6, 58, cx, 66, 2, GOLD)
    c.line(cx + 6, 58, cx, 66, 2, GOLD)
    c.rect(cx - 20, 100, cx + 20, 104, GOLD)
    digits = str(number)
    c.text(cx - (len(digits) * 6 - 1) * 1.5, 72, digits, 3, WHITE)
    # The badge on the chest.
    c.ellipse(cx - 12, 70, 3, 4, GOLD)
    # Head and hair.
    c.rect(cx - 4, 50, cx + 4, 59, skin)
    c.ellipse(cx, 40, 11, 13, skin)
    c.ellipse(cx, 33, 12, 8, hair)
    c.rect(cx - 12, 31, cx + 12, 35, hair)
    c.ellipse(cx - 4, 41, 1.3, 1.5, BLACK)
    c.ellipse(cx + 4, 41, 1.3, 1.5, BLACK)
    c.line(cx - 3, 47, cx + 3, 47, 1.2, (150, 60, 50))
    # The ball at his feet.
    bx = cx + (30 if pose % 2 == 0 else -30)
    c.ellipse(bx, 150, 9, 9, WHITE)
    c.star(bx, 150, 4, 3, 5, BLACK)
    return c


def computer(back):
    c = Canvas(72, 72, back)
    c.rect(8, 6, 64, 46, (60, 60, 70))
    c.rect(12, 10, 60, 42, (40, 90, 200))
    c.rect(14, 12, 58, 20, (90, 150, 240))
    c.rect(31, 46, 41, 54, (60, 60, 70))
    c.rect(20, 54, 52, 58, (60, 60, 70))
    c.polygon([(6, 60), (66, 60), (70, 68), (2, 68)], (90, 90, 100))
    for x in range(8, 64, 6):
        c.rect(x, 62, x + 4, 64, (200, 200, 210))
    return c


def telephone(back):
    c = Canvas(72, 72, back)
    body = (30, 30, 35)
    c.polygon([(14, 34), (58, 34), (66, 66), (6, 66)], body)
    c.ellipse(36, 50, 11, 11, (230, 230, 230))
    c.ellipse(36, 50, 4, 4, body)
    c.line(10, 22, 62, 22, 9, body)
    c.ellipse(12, 26, 8, 7, body)
    c.ellipse(60, 26, 8, 7, body)
    c.line(14, 30, 20, 34, 4, body)
    c.line(58, 30, 52, 34, 4, body)
    return c


# ----- Icons --------------------------------------------------------------------------------------
# Each icon is drawn afresh for every size, in design units of a 16 x 16 box scaled to the size,
# with less detail the smaller it is: at 16 pixels a shape needs two pixels to be seen at all.

ICON_SIZES = (16, 32, 48, 256)
GREEN = (40, 160, 60)
DARK_GREEN = (15, 80, 30)
PAGE_GREY = (110, 110, 120)
PAGE_FOLD = (215, 215, 222)


class IconCanvas(Canvas):
    """A transparent square drawn at `ss` times its size and averaged down, so edges are smooth.
    Coordinates are design units: 16 of them span the icon."""

    def __init__(self, size, ss):
        super().__init__(size * ss, size * ss, None)
        self.size, self.ss = size, ss
        self.k = size * ss / 16
        self.px1 = 16 / size  # one icon pixel in design units

    def snap(self, v):
        """The nearest pixel edge: straight edges on pixel edges stay sharp at small sizes."""
        return round(v / self.px1) * self.px1

    def fill(self, contours, c):
        """Fills closed outlines of design units with the even-odd rule: an outline inside
        another cuts a hole in it."""
        edges = []
        for points in contours:
            pts = [(x * self.k, y * self.k) for x, y in points]
            edges += list(zip(pts, pts[1:] + pts[:1]))
        ys = [p[1] for e in edges for p in e]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            xs = sorted(x0 + (yc - y0) * (x1 - x0) / (y1 - y0) for (x0, y0), (x1, y1) in edges
                        if (y0 <= yc < y1) or (y1 <= yc < y0))
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(max(0, int(round(a))), min(self.w, int(round(b)))):
                    self.px[y][x] = c

    def poly(self, points, c):
        self.fill([points], c)

    def rows(self):
        """The icon's pixels, top row first, as (r, g, b, a): each the mean of its samples."""
        ss, n, out = self.ss, self.ss * self.ss, []
        for y in range(self.size):
            lines = self.px[y * ss:(y + 1) * ss]
            row = []
            for x in range(self.size):
                r = g = b = a = 0
                for line in lines:
                    for c in line[x * ss:(x + 1) * ss]:
                        if c is not None:
                            r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
                row.append((r // a, g // a, b // a, (a * 255 + n // 2) // n) if a else (0, 0, 0, 0))
            out.append(row)
        return out


def shield_points(x0, y0, x1, y1):
    """The crest's outline in a box: straight sides, then curving in to a point at the foot."""
    w, h = x1 - x0, y1 - y0
    return [(x0, y0), (x1, y0), (x1, y0 + h * 0.55), (x1 - w * 0.1, y0 + h * 0.78),
            (x0 + w / 2, y1), (x0 + w * 0.1, y0 + h * 0.78), (x0, y0 + h * 0.55)]


def clip(points, window):
    """The part of a polygon inside a convex one (both listed clockwise on screen)."""
    for (ax, ay), (bx, by) in zip(window, window[1:] + window[:1]):
        def inside(p):
            return (bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax) >= 0

        def cross(p, q):
            t = ((bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax)) / (
                (bx - ax) * (p[1] - q[1]) - (by - ay) * (p[0] - q[0]))
            return (p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1]))

        kept = []
        for p, q in zip(points, points[1:] + points[:1]):
            if inside(p):
                kept.append(p)
                if not inside(q):
                    kept.append(cross(p, q))
            elif inside(q):
                kept.append(cross(p, q))
        points = kept
    return points


def draw_crest(c, x0, y0, x1, y1):
    """The team's crest in a box of design units: a gold shield with a red crown band, a blue field
    with the golden star, the white band (from 32 pixels on) and the football at its foot (from 48
    pixels on). Straight edges lie on pixel edges; the rim is at least a pixel wide."""
    x0, y0, x1, y1 = c.snap(x0), c.snap(y0), c.snap(x1), c.snap(y1)
    rim = max(c.px1, c.snap((x1 - x0) * 0.07))
    outer = shield_points(x0, y0, x1, y1)
    ix0, iy0, ix1, iy1 = x0 + rim, y0 + rim, x1 - rim, y1 - c.snap(rim * 1.6)
    inner = shield_points(ix0, iy0, ix1, iy1)
    w, h = ix1 - ix0, iy1 - iy0
    band = max(2 * c.px1, c.snap(h * 0.17))
    c.poly(inner, BLUE)
    # The star stands in the field between the crown band and the white band (or the foot).
    top = iy0 + band + rim
    if c.size >= 32:
        # The white band falls from right to left across the field.
        c.poly(clip([(ix0, iy0 + h * 0.72), (ix1, iy0 + h * 0.54), (ix1, iy0 + h * 0.65),
                     (ix0, iy0 + h * 0.83)], inner), WHITE)
        room = iy0 + h * 0.63 - top
    else:
        room = iy0 + h * 0.8 - top
    # A five-pointed star reaches 0.81 of its radius below its centre.
    r = min(w * 0.3, room * 0.96 / 1.81)
    star_y = top + (room - 1.81 * r) / 2 + r
    c.star((ix0 + w / 2) * c.k, star_y * c.k, r * c.k, r * 0.45 * c.k, 5, GOLD)
    if c.size >= 48:
        r = w * 0.13
        bx, by = ix0 + w / 2, iy0 + h * 0.885
        c.ellipse(bx * c.k, by * c.k, r * c.k, r * c.k, WHITE)
        c.star(bx * c.k, by * c.k, r * 0.42 * c.k, r * 0.3 * c.k, 5, BLACK)
        for a in range(5):
            ang = -math.pi / 2 + a * 2 * math.pi / 5
            c.line((bx + r * 0.42 * math.cos(ang)) * c.k, (by + r * 0.42 * math.sin(ang)) * c.k,
                   (bx + r * 0.9 * math.cos(ang)) * c.k, (by + r * 0.9 * math.sin(ang)) * c.k,
                   max(1, r * 0.09 * c.k), BLACK)
    # The rim, and the crown band across the top.
    c.fill([outer, inner], GOLD)
    c.poly([(ix0, iy0), (ix1, iy0), (ix1, iy0 + band), (ix0, iy0 + band)], RED)
    c.poly([(ix0, iy0 + band), (ix1, iy0 + band), (ix1, iy0 + band + rim),
            (ix0, iy0 + band + rim)], GOLD)
    if c.size >= 256:
        # The nation's name on the band, in the pixel font, as on the crest itself.
        scale = max(1, int(band * c.k * 0.55 / 7))
        text_w = (7 * 6 - 1) * scale
        c.text((ix0 + w / 2) * c.k - text_w / 2, (iy0 + band / 2) * c.k - 3.5 * scale, "TAVORIA",
               scale, WHITE)


def saver_icon(size):
    c = IconCanvas(size, 4 if size < 256 else 2)
    draw_crest(c, 1, 0, 15, 16)
    return c


def arrow_points(x0, y0, x1, y1):
    """An arrow pointing up in a box: a broad head over a shaft."""
    w, h = x1 - x0, y1 - y0
    return [(x0 + w / 2, y0), (x1, y0 + h * 0.5), (x0 + w * 0.72, y0 + h * 0.5), (x0 + w * 0.72, y1),
            (x0 + w * 0.28, y1), (x0 + w * 0.28, y0 + h * 0.5), (x0, y0 + h * 0.5)]


def kelvane_icon(size):
    """Kelvane: the crest, with a green upgrade arrow rising in front of its lower right."""
    c = IconCanvas(size, 4 if size < 256 else 2)
    draw_crest(c, 0, 0, 11, 14)
    edge = max(c.px1, c.snap(0.6))
    ax0, ay0, ax1, ay1 = 7, 6, 16, 16
    c.poly(arrow_points(ax0, ay0, ax1, ay1), DARK_GREEN)
    c.poly(arrow_points(ax0 + edge * 1.8, ay0 + edge * 1.5, ax1 - edge * 1.8, ay1 - edge), GREEN)
    return c


def document_icon(size):
    """An upgrade file: a white page with its corner folded, the crest on it."""
    c = IconCanvas(size, 4 if size < 256 else 2)
    line = max(c.px1, c.snap(0.5))
    x0, y0, x1, y1, fold = 2, 0, 14, 16, 4
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    inside = [(x0 + line, y0 + line), (x1 - fold, y0 + line), (x1 - line, y0 + fold),
              (x1 - line, y1 - line), (x0 + line, y1 - line)]
    c.poly(page, PAGE_GREY)
    c.poly(inside, WHITE)
    c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAGE_GREY)
    c.poly([(x1 - fold + line, y0 + line * 2.4), (x1 - fold + line, y0 + fold - line),
            (x1 - line * 2.4, y0 + fold - line)], PAGE_FOLD)
    if size >= 32:
        # Lines of text above the crest.
        for k in range(3):
            y = c.snap(y0 + 2 + k * 1.25)
            c.poly([(x0 + 1.5, y), (x1 - fold - 1 if k < 2 else x1 - 1.5, y),
                    (x1 - fold - 1 if k < 2 else x1 - 1.5, y + line), (x0 + 1.5, y + line)],
                   (170, 170, 180))
        draw_crest(c, 4.5, 6, 11.5, 15)
    else:
        draw_crest(c, 4, 4, 12, 15)
    return c


def png(width, height, rows):
    """A PNG of 8-bit RGBA rows, compressed with zlib."""
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, rows):
    """An icon image as Windows keeps it: a 32-bit BGRA bitmap, bottom row first, whose header
    gives twice the height for the AND mask after it; the mask marks the transparent pixels for
    systems that ignore alpha."""
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0,
                         0, 0)
    return header + colour + bytes(mask)


def save_icon(name, draw, preview=None):
    """An ICO file with every size: bitmaps up to 48 pixels, the 256-pixel image as a PNG."""
    images = []
    for size in ICON_SIZES:
        rows = draw(size).rows()
        images.append((size, png(size, size, rows) if size >= 256 else dib(size, rows)))
        if preview:
            stem = os.path.join(preview, "%s-%d" % (name, size))
            with open(stem + ".png", "wb") as f:
                f.write(png(size, size, rows))
            zoom = 8 if size <= 48 else 2
            big = [[p for p in row for _ in range(zoom)] for row in rows for _ in range(zoom)]
            with open(stem + "-x%d.png" % zoom, "wb") as f:
                f.write(png(size * zoom, size * zoom, big))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        data += image
        offset += len(image)
    with open(os.path.join(OUT, name + ".ico"), "wb") as f:
        f.write(directory + entries + data)


def main():
    os.makedirs(OUT, exist_ok=True)
    flag().save("flag.bmp")
    crest().save("crest.bmp")
    computer((128, 255, 128)).save("computer.bmp")
    telephone((255, 255, 0)).save("telephone.bmp")
    for i, (width, number) in enumerate([(178, 10), (178, 7), (174, 4), (178, 9)]):
        player(width, number, SKIN[i], HAIR[i], i - 1 if i < 3 else 0, 2006 + i).save(
            "player%d.bmp" % (i + 1))
    preview = sys.argv[2] if len(sys.argv) > 2 and sys.argv[1] == "--preview" else None
    if preview:
        os.makedirs(preview, exist_ok=True)
    save_icon("tavoria", saver_icon, preview)
    save_icon("kelvane", kelvane_icon, preview)
    save_icon("upgrade_file", document_icon, preview)


if __name__ == "__main__":
    main()
