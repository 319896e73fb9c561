#!/usr/bin/env python3
"""Draws Pixlook's program icon (16 and 32 pixels) and writes pixlook.ico.

A small framed picture: blue sky, a yellow sun, a green hill, and a magnifier
lens over the corner. Run it again after changing the drawing:
    python3 viewer/icons/make_icon.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
from icon_file import ico_file  # noqa: E402

SKY = (70, 140, 230)
SUN = (250, 210, 40)
HILL = (40, 160, 60)
FRAME = (60, 60, 70)
LENS = (255, 255, 255)
HANDLE = (130, 80, 40)


def draw(n):
    """Returns n rows (top first) of n (r, g, b, a) pixels."""
    s = n / 32.0
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s  # in 32-pixel units
            if 2 <= fx < 28 and 4 <= fy < 26:
                if fx < 3.5 or fx >= 26.5 or fy < 5.5 or fy >= 24.5:
                    c = FRAME
                elif (fx - 21) ** 2 + (fy - 10) ** 2 < 12:
                    c = SUN
                elif fy > 18 + 4 * ((fx - 12) / 12.0) ** 2:
                    c = HILL
                else:
                    c = SKY
                px[y][x] = c + (255,)
            # a lens with a handle over the lower right corner
            d = ((fx - 22) ** 2 + (fy - 22) ** 2) ** 0.5
            if d < 7.5:
                px[y][x] = (FRAME if d >= 5.5 else LENS) + (255,)
            elif 27 <= fx < 31 and 27 <= fy < 31 and abs((fx - 27) - (fy - 27)) < 1.6:
                px[y][x] = HANDLE + (255,)
    return px


def main():
    out = ico_file([draw(16), draw(32)])
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'pixlook.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
