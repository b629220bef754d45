#!/usr/bin/env python3
"""Writes util/code_page_tables.cpp: the characters of the bytes 0x80 to 0xFF in each of the
Windows code pages 1250 to 1258, from Unicode's published mappings of them
(MAPPINGS/VENDORS/MICSFT/WINDOWS/CP125x.TXT, which Python's cp125x codecs are generated from).
Standard library only; run it again to remake the file: python3 scripts/make_code_pages.py"""

import codecs
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "util", "code_page_tables.cpp")


def table(number):
    decoder = codecs.getdecoder("cp%d" % number)
    points = []
    for byte in range(0x80, 0x100):
        try:
            text, _ = decoder(bytes([byte]))
            points.append(ord(text))
        except UnicodeDecodeError:
            points.append(0)
    return points


def main():
    lines = [
        "// Made by scripts/make_code_pages.py from Unicode's published mappings of the Windows code",
        "// pages (MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1250.TXT to CP1258.TXT). Do not edit.",
        '#include "util/code_page.h"',
        "",
        "namespace codepage::tables {",
        "",
        "// For each code page from 1250 to 1258, the characters of the bytes 0x80 to 0xFF; 0 where",
        "// the code page leaves a byte undefined.",
        "// clang-format off",
        "extern const char16_t kHighHalves[9][128] = {",
    ]
    for number in range(1250, 1259):
        points = table(number)
        lines.append("    // Windows-%d" % number)
        lines.append("    {")
        for row in range(0, 128, 8):
            lines.append("        " + " ".join("0x%04X," % p for p in points[row:row + 8]))
        lines.append("    },")
    lines += ["};", "// clang-format on", "", "}  // namespace codepage::tables", ""]
    with open(OUT, "w", newline="\n") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
