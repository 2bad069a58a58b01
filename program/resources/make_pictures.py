#!/usr/bin/env python3
"""Draws the program's two pictures and writes them beside this script:
mainicon.ico (32 x 32, 16 colours) and setupform_imagelist1.bmp (32 x 32, its own 9 colours,
magenta background): a software box with a disc in front of it. Run it again after changing a shape."""
import math
import os
import struct

SIZE = 32
MAGENTA = (255, 0, 255)

# The standard 16-colour palette, as (red, green, blue).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def draw():
    """The picture as rows of (red, green, blue) or None for transparent, top row first."""
    px = [[None] * SIZE for _ in range(SIZE)]
    # The box: front face, top face and side face of a cube seen from above right.
    for y in range(10, 30):
        for x in range(3, 21):
            px[y][x] = (0, 0, 128)          # front
    for y in range(4, 10):
        shift = 10 - y
        for x in range(3 + shift, 21 + shift):
            px[y][x] = (0, 128, 255) if x < SIZE else None  # top
    for y in range(4, 30):
        for x in range(21, 27):
            if 10 - (x - 21) <= y <= 29 - (x - 21) // 2:
                px[y][x] = (0, 0, 96)        # side
    # A yellow band across the front, like a label.
    for y in range(16, 20):
        for x in range(3, 21):
            px[y][x] = (255, 255, 0)
    # The disc in front, lower right: silver with a dark hole.
    cx, cy, r = 22.5, 22.5, 8.5
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                px[y][x] = (192, 192, 192) if d > 2.5 else (0, 0, 0)
                if r - 1 < d <= r:
                    px[y][x] = (128, 128, 128)
                if 2.5 < d <= 3.5:
                    px[y][x] = (255, 255, 255)
    return px


def nearest16(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE16[i], rgb)))


def write_bmp(path, px):
    """4 bits a pixel over a palette of the picture's own colours (it has fewer than 16): exactly
    the 24-bit picture, in a sixth of the room the setup program's size budget counts."""
    colours = sorted({p or MAGENTA for row in px for p in row})
    assert len(colours) <= 16
    rows = b""
    for row in reversed(px):
        indices = [colours.index(p or MAGENTA) for p in row]
        rows += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SIZE, 2))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(rows), 2835, 2835, len(colours), 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette + rows)


def write_ico(path, px):
    colour = b""
    mask = b""
    for row in reversed(px):
        indices = [nearest16(p) if p else 0 for p in row]
        colour += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for x, p in enumerate(row):
            if p is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    image = info + palette + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    picture = draw()
    write_ico(os.path.join(here, "mainicon.ico"), picture)
    write_bmp(os.path.join(here, "setupform_imagelist1.bmp"), picture)
