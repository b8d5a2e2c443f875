#!/usr/bin/env python3
"""Draws the JOBSIFT icon and writes res/JOBSIFT.ico.

The icon is a sheet of paper with a green tick: a file that has been checked. It holds two
images, 32 x 32 and 16 x 16, each with 4 bits per pixel over the 16-colour system palette and
a transparency mask. Only the Python standard library is used, so the icon can be made again
anywhere: python3 scripts/make-icon.py [OUTPUT]
"""

import struct
import sys
from pathlib import Path

# The 16-colour system palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_GREEN, GREY, SILVER, WHITE = 0, 2, 8, 7, 15
TRANSPARENT = None


def draw(size):
    """Returns rows of palette indices (None = transparent), top row first."""
    s = size / 32.0
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    left, top = round(5 * s), round(2 * s)
    right, bottom = size - round(6 * s), size - round(2 * s)
    fold = round(7 * s)
    for y in range(top, bottom):
        for x in range(left, right):
            if x - (right - fold) > y - top:
                continue  # the folded corner is cut away
            edge = x in (left, right - 1) or y in (top, bottom - 1) or x - (right - fold) == y - top
            pixels[y][x] = BLACK if edge else WHITE
    for y in range(top, top + fold):
        for x in range(right - fold, right - fold + (y - top)):
            pixels[y][x] = SILVER if pixels[y][x] == WHITE else pixels[y][x]
    if size >= 32:
        for y in range(round(9 * s), round(15 * s), 3):
            for x in range(left + 3, right - 4):
                pixels[y][x] = GREY
    tick(pixels, size, s)
    return pixels


def tick(pixels, size, s):
    """A thick green tick over the lower half of the sheet."""
    thickness = max(2, round(3 * s))
    start, corner, end = (8 * s, 19 * s), (13 * s, 25 * s), (25 * s, 11 * s)
    for (x0, y0), (x1, y1) in ((start, corner), (corner, end)):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            cx = x0 + (x1 - x0) * i / steps
            cy = y0 + (y1 - y0) * i / steps
            for dy in range(thickness):
                x, y = int(cx), int(cy) + dy - thickness // 2
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = DARK_GREEN


def row_padded(data):
    return data + b"\0" * (-len(data) % 4)


def image_bytes(pixels):
    """BITMAPINFOHEADER, palette, colour bits and mask, rows bottom-up."""
    size = len(pixels)
    colour = b""
    mask = b""
    for row in reversed(pixels):
        nibbles = [0 if p is TRANSPARENT else p for p in row]
        colour += row_padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = 0
        packed = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
            if i % 8 == 7:
                packed.append(bits)
                bits = 0
        mask += row_padded(bytes(packed))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colour + mask


def icon_file(sizes):
    images = [image_bytes(draw(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res" / "JOBSIFT.ico"
    target.write_bytes(icon_file([32, 16]))


if __name__ == "__main__":
    main()
