#!/usr/bin/env python3
"""Draws the tool bar strip (toolbar.bmp) and the program icon (test.ico).

Both are committed; run this again only to change them:
    python3 uninstaller/res/make_resources.py
The tool bar strip holds one 16 x 15 image per button, in button order:
New, Open, Save, Cut, Copy, Paste, Print, About.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 standard colours; images use their indexes.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DKGRAY, GRAY, WHITE, YELLOW, BLUE, DKBLUE, RED, DKCYAN = 0, 8, 7, 15, 11, 12, 4, 9, 6
# Button faces are grey; the tool bar maps this colour to the system's face colour.
FACE = GRAY

W, H = 16, 15


def canvas(w, h, fill):
    return [[fill] * w for _ in range(h)]


def rect(img, x0, y0, x1, y1, border, fill=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            if edge:
                img[y][x] = border
            elif fill is not None:
                img[y][x] = fill


def line(img, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        img[y0 + (y1 - y0) * i // steps][x0 + (x1 - x0) * i // steps] = colour


def page(img, x0, y0, x1, y1):
    rect(img, x0, y0, x1, y1, BLACK, WHITE)
    for y in range(y0 + 3, y1 - 1, 2):
        line(img, x0 + 2, y, x1 - 2, y, GRAY)


def new():
    img = canvas(W, H, FACE)
    page(img, 3, 1, 12, 13)
    return img


def open_():
    img = canvas(W, H, FACE)
    rect(img, 1, 4, 13, 13, BLACK, YELLOW)
    rect(img, 1, 2, 6, 4, BLACK, YELLOW)
    line(img, 3, 7, 15, 7, BLACK)
    return img


def save():
    img = canvas(W, H, FACE)
    rect(img, 1, 1, 14, 13, BLACK, DKBLUE)
    rect(img, 4, 1, 11, 6, BLACK, WHITE)
    rect(img, 4, 9, 11, 13, BLACK, GRAY)
    return img


def cut():
    img = canvas(W, H, FACE)
    line(img, 4, 1, 9, 9, BLACK)
    line(img, 11, 1, 6, 9, BLACK)
    rect(img, 3, 9, 6, 13, DKBLUE)
    rect(img, 9, 9, 12, 13, DKBLUE)
    return img


def copy():
    img = canvas(W, H, FACE)
    page(img, 1, 1, 9, 10)
    page(img, 6, 4, 14, 13)
    return img


def paste():
    img = canvas(W, H, FACE)
    rect(img, 1, 2, 11, 13, BLACK, YELLOW)
    rect(img, 4, 1, 8, 3, BLACK, GRAY)
    page(img, 7, 6, 14, 14)
    return img


def print_():
    img = canvas(W, H, FACE)
    rect(img, 4, 1, 11, 6, BLACK, WHITE)
    rect(img, 1, 6, 14, 11, BLACK, GRAY)
    rect(img, 4, 10, 11, 14, BLACK, WHITE)
    img[8][12] = RED
    return img


def about():
    img = canvas(W, H, FACE)
    rect(img, 3, 1, 12, 13, BLACK, DKCYAN)
    rect(img, 7, 3, 8, 4, WHITE, WHITE)
    rect(img, 7, 6, 8, 11, WHITE, WHITE)
    return img


def bmp_4bpp(img):
    """A bottom-up 4-bit BMP with the standard 16-colour palette."""
    h, w = len(img), len(img[0])
    stride = ((w * 4 + 31) // 32) * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(0, w, 2):
            hi = img[y][x]
            lo = img[y][x + 1] if x + 1 < w else 0
            row.append((hi << 4) | lo)
        rows += bytes(row) + b"\0" * (stride - len(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


def icon_32(img):
    """A one-image .ico: 32 x 32, 4 bits, everything opaque."""
    h, w = len(img), len(img[0])
    stride = ((w * 4 + 31) // 32) * 4
    xor = b""
    for y in range(h - 1, -1, -1):
        row = bytearray((img[y][x] << 4) | img[y][x + 1] for x in range(0, w, 2))
        xor += bytes(row) + b"\0" * (stride - len(row))
    and_stride = ((w + 31) // 32) * 4
    and_mask = b"\0" * (and_stride * h)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(and_mask), 0, 0,
                       16, 0)
    image = info + palette + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def program_icon():
    # A device with a red cross: the program takes devices away.
    img = canvas(32, 32, WHITE)
    rect(img, 4, 8, 27, 23, BLACK, DKBLUE)
    rect(img, 10, 12, 21, 19, BLACK, DKCYAN)
    for i in range(-1, 2):
        line(img, 6 + i + 1, 4, 25 + i + 1, 27, RED)
        line(img, 25 + i + 1, 4, 6 + i + 1, 27, RED)
    return img


def main():
    buttons = [new(), open_(), save(), cut(), copy(), paste(), print_(), about()]
    strip = [sum((b[y] for b in buttons), []) for y in range(H)]
    with open(os.path.join(HERE, "toolbar.bmp"), "wb") as f:
        f.write(bmp_4bpp(strip))
    with open(os.path.join(HERE, "test.ico"), "wb") as f:
        f.write(icon_32(program_icon()))


if __name__ == "__main__":
    main()
