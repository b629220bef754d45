#!/usr/bin/env python3
"""Draws the shopping partner's logo for the settings window: an open book over a river, with the
partner's name beside it. Writes a 24-bit BMP with the standard library only.

Usage: scripts/make_partner_art.py [OUTPUT]   (default assets/art/partner_logo.bmp)
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 120, 60
WHITE = (255, 255, 255)
RIVER = (40, 110, 200)
RIVER_LIGHT = (150, 195, 240)
COVER = (170, 70, 30)
PAGE = (250, 245, 225)
INK = (30, 40, 70)

# A 5 x 7 pixel alphabet for the letters the name needs.
GLYPHS = {
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "v": ["00000", "00000", "10001", "10001", "10001", "01010", "00100"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "b": ["10000", "10000", "10110", "11001", "10001", "10001", "11110"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "k": ["10000", "10000", "10010", "10100", "11000", "10100", "10010"],
    "s": ["00000", "00000", "01111", "10000", "01110", "00001", "11110"],
}


def blank():
    return [[WHITE] * WIDTH for _ in range(HEIGHT)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(HEIGHT, y1)):
        for x in range(max(0, x0), min(WIDTH, x1)):
            img[y][x] = colour


def text(img, x, y, word, scale, colour):
    for ch in word:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    fill(img, x + col * scale, y + row * scale,
                         x + (col + 1) * scale, y + (row + 1) * scale, colour)
        x += 6 * scale


def draw():
    img = blank()
    # The river: two waves across the bottom of the book's side.
    for x in range(4, 48):
        for band, colour in ((0, RIVER), (6, RIVER_LIGHT)):
            y = int(44 + band + 2.5 * math.sin(x / 5.0))
            fill(img, x, y, x + 1, y + 3, colour)
    # The open book: a cover, two pages and a spine.
    fill(img, 6, 14, 46, 40, COVER)
    fill(img, 8, 16, 25, 38, PAGE)
    fill(img, 27, 16, 44, 38, PAGE)
    fill(img, 25, 14, 27, 40, INK)
    for line in range(20, 36, 4):
        fill(img, 11, line, 23, line + 1, INK)
        fill(img, 29, line, 41, line + 1, INK)
    # The name on two lines.
    text(img, 52, 12, "river", 2, RIVER)
    text(img, 52, 32, "books", 2, COVER)
    fill(img, 0, 0, WIDTH, 1, INK)
    fill(img, 0, HEIGHT - 1, WIDTH, HEIGHT, INK)
    fill(img, 0, 0, 1, HEIGHT, INK)
    fill(img, WIDTH - 1, 0, WIDTH, HEIGHT, INK)
    return img


def bmp(img):
    row_bytes = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(img):  # bottom-up rows
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_bytes - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + bytes(pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "assets", "art", "partner_logo.bmp")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(bmp(draw()))


if __name__ == "__main__":
    main()
