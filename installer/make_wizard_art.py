#!/usr/bin/env python3
"""Draws the setup program's welcome and finish page picture, installer/wizard.bmp (164 x 314,
24-bit, the size the Modern UI pages show): the flag of Tavoria over the team's crest on the
team's deep blue, from the saver's own pictures in assets/art/. Standard library only; run it
again after the art changes: python3 installer/make_wizard_art.py"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "..", "assets", "art")
WIDTH, HEIGHT = 164, 314
DEEP_BLUE = (10, 30, 90)
GOLD = (240, 190, 40)


def read_bmp(path):
    """A 24-bit bottom-up BMP as rows of (r, g, b), top row first."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24 or height <= 0:
        raise ValueError(f"{path}: not a bottom-up 24-bit bitmap")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        row = data[start:start + width * 3]
        rows.append([(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) for x in range(width)])
    return rows


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def scaled(rows, width):
    """The picture scaled to a width, keeping its proportions (area averaging)."""
    src_h, src_w = len(rows), len(rows[0])
    height = round(src_h * width / src_w)
    out = []
    for y in range(height):
        y0, y1 = y * src_h / height, (y + 1) * src_h / height
        line = []
        for x in range(width):
            x0, x1 = x * src_w / width, (x + 1) * src_w / width
            total, acc = 0.0, [0.0, 0.0, 0.0]
            for sy in range(int(y0), min(src_h, int(y1 + 0.999))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(src_w, int(x1 + 0.999))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    if w <= 0:
                        continue
                    total += w
                    for c in range(3):
                        acc[c] += rows[sy][sx][c] * w
            line.append(tuple(round(a / total) for a in acc))
        out.append(line)
    return out


def paste(canvas, picture, left, top, clear=None):
    """Puts the picture on the canvas; pixels of the colour `clear` let the canvas show."""
    for y, row in enumerate(picture):
        for x, pixel in enumerate(row):
            if pixel != clear:
                canvas[top + y][left + x] = pixel


def main():
    canvas = [[DEEP_BLUE] * WIDTH for _ in range(HEIGHT)]
    flag = scaled(read_bmp(os.path.join(ART, "flag.bmp")), 136)
    crest = read_bmp(os.path.join(ART, "crest.bmp"))
    # A gold frame around the flag, then the crest below it.
    flag_top, flag_left = 24, (WIDTH - len(flag[0])) // 2
    for y in range(flag_top - 2, flag_top + len(flag) + 2):
        canvas[y][flag_left - 2:flag_left + len(flag[0]) + 2] = [GOLD] * (len(flag[0]) + 4)
    paste(canvas, flag, flag_left, flag_top)
    crest_top = flag_top + len(flag) + 2 + (HEIGHT - flag_top - len(flag) - 2 - len(crest)) // 2
    # The crest's background is the colour of its corner.
    paste(canvas, crest, (WIDTH - len(crest[0])) // 2, crest_top, clear=crest[0][0])
    write_bmp(os.path.join(HERE, "wizard.bmp"), canvas)


if __name__ == "__main__":
    main()
