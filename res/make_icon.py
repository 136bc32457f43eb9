#!/usr/bin/env python3
"""Writes mirltty.ico: one 32x32 image with a 256-colour palette, a terminal with a serial plug."""

import struct
import sys

SIZE = 32

# Palette: the 16 classic VGA colours, then a grey ramp; the rest stays black.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PALETTE = VGA + [(g, g, g) for g in range(16, 256, 16)]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))

TRANSPARENT = None
BLACK, DARK_GREEN, GREY, DARK_GREY, GREEN, YELLOW, WHITE = 0, 2, 7, 8, 10, 11, 15
BEZEL = 16 + 5  # a mid grey from the ramp


def draw():
    """Returns rows top to bottom; each cell a palette index or TRANSPARENT."""
    img = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = colour

    # Monitor: bezel with a light top-left edge and a dark bottom-right edge.
    rect(1, 1, 26, 21, BEZEL)
    rect(1, 1, 26, 1, WHITE)
    rect(1, 1, 1, 21, WHITE)
    rect(1, 21, 26, 21, DARK_GREY)
    rect(26, 1, 26, 21, DARK_GREY)
    # Screen with two lines of received text and a prompt with a cursor.
    rect(4, 4, 23, 18, BLACK)
    for x in range(6, 20, 2):
        img[6][x] = GREEN
    for x in range(6, 16, 2):
        img[9][x] = GREEN
    # ">" prompt
    for dy, dx in ((0, 0), (1, 1), (2, 2), (3, 1), (4, 0)):
        img[12 + dy][6 + dx] = GREEN
    rect(10, 15, 13, 16, GREEN)  # cursor
    img[19][24] = YELLOW  # power lamp
    # Stand.
    rect(11, 22, 16, 23, DARK_GREY)
    rect(7, 24, 20, 25, GREY)
    rect(7, 25, 20, 25, DARK_GREY)
    # Cable from the monitor down to a serial plug at the bottom right.
    rect(27, 12, 28, 13, DARK_GREY)
    rect(28, 13, 28, 24, BLACK)
    # Plug: a trapezoid shell with two rows of pins.
    rect(23, 25, 31, 30, DARK_GREY)
    img[30][23] = TRANSPARENT
    img[30][31] = TRANSPARENT
    rect(24, 26, 30, 29, GREY)
    for x in (25, 27, 29):
        img[27][x] = YELLOW
    for x in (26, 28):
        img[28][x] = YELLOW
    return img


def encode(img):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         SIZE * SIZE + SIZE * 4, 0, 0, 256, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):  # bitmaps are stored bottom-up
        xor += bytes(0 if c is TRANSPARENT else c for c in row)
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is TRANSPARENT else 0)
        mask += struct.pack(">I", bits)  # rows of 32 bits are already 4-byte aligned
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "mirltty.ico"
    with open(path, "wb") as out:
        out.write(encode(draw()))


if __name__ == "__main__":
    main()
