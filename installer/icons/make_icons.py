#!/usr/bin/env python3
"""Draws Drvprep's icons: a blue card with a white arrow going down into a
tray (an INF dropped into the store). Writes drvprep.ico (32x32 and 16x16)
and small.ico (16x16), 32-bit colour with an AND mask.

    python3 installer/icons/make_icons.py   # rewrites the .ico files beside it
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from icon_file import ico_file  # noqa: E402

BLUE = (0x2B, 0x5C, 0xA8, 0xFF)
EDGE = (0x16, 0x33, 0x66, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
CLEAR = (0, 0, 0, 0)


def draw(size):
    """Returns rows top to bottom of (r, g, b, a) pixels."""
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def inside(x, y, x0, y0, x1, y1):
        return x0 * s <= x + 0.5 < x1 * s and y0 * s <= y + 0.5 < y1 * s

    for y in range(size):
        for x in range(size):
            if inside(x, y, 2, 2, 30, 30):
                edge = not inside(x, y, 3, 3, 29, 29)
                px[y][x] = EDGE if edge else BLUE
            # arrow shaft and head
            if inside(x, y, 14, 6, 18, 16):
                px[y][x] = WHITE
            cy = (y + 0.5) / s
            cx = (x + 0.5) / s
            if 16 <= cy < 22 and abs(cx - 16) < (22 - cy):
                px[y][x] = WHITE
            # tray
            if inside(x, y, 7, 22, 25, 26) or inside(x, y, 7, 18, 10, 26) or inside(x, y, 22, 18, 25, 26):
                if not inside(x, y, 10, 18, 22, 24):
                    px[y][x] = WHITE
    return px


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "drvprep.ico"), "wb") as f:
        f.write(ico_file([draw(32), draw(16)]))
    with open(os.path.join(here, "small.ico"), "wb") as f:
        f.write(ico_file([draw(16)]))


if __name__ == "__main__":
    main()
