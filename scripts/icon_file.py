"""Packs drawn pixels into a Windows .ico file: 32-bit colour images with
an AND mask, for the programs' icon generators.

A drawing is a list of rows, top first, of (r, g, b, a) pixels.
"""
import struct


def ico_image(px):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA rows, AND mask."""
    n = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def ico_file(drawings):
    """The .ico bytes holding one image per drawing, in the order given."""
    images = [ico_image(px) for px in drawings]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for px, data in zip(drawings, images):
        n = len(px) % 256
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)
