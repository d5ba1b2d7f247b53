#!/usr/bin/env python3
"""Writes Zembra.ico: the program icon, one 32 x 32 image with a 256-colour palette.

The drawing is ours: a teal tile with a white "Z" and a yellow arrow pointing down into a tray.
Run it again after changing the drawing; the output is the same byte for byte every time.
"""
import struct
import sys

SIZE = 32
TRANSPARENT, BORDER, TILE, WHITE, YELLOW, SHADOW = range(6)
PALETTE = [(0, 0, 0), (0, 80, 80), (0, 128, 128), (255, 255, 255), (255, 200, 0), (0, 100, 100)]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))


def draw():
    px = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    # rounded tile with a one-pixel border
    for y in range(1, 31):
        for x in range(1, 31):
            dx = max(0, 5 - x, x - 26)
            dy = max(0, 5 - y, y - 26)
            if dx * dx + dy * dy <= 16:
                edge = dx * dx + dy * dy > 9 or x in (1, 30) or y in (1, 30)
                px[y][x] = BORDER if edge else TILE
    # the letter Z
    for y in range(5, 9):
        for x in range(6, 23):
            px[y][x] = WHITE
    for y in range(19, 23):
        for x in range(6, 23):
            px[y][x] = WHITE
    for y in range(9, 19):
        start = 22 - (y - 9) * 16 // 10 - 4
        for x in range(start, start + 5):
            if 6 <= x <= 22:
                px[y][x] = WHITE
    # arrow into a tray at the right
    for y in range(6, 16):
        for x in range(25, 28):
            px[y][x] = YELLOW
    for i, y in enumerate(range(16, 20)):
        for x in range(23 + i, 30 - i):
            px[y][x] = YELLOW
    for x in range(5, 28):
        px[25][x] = SHADOW
    for y in range(22, 26):
        px[y][5] = SHADOW
        px[y][27] = SHADOW
    return px


def ico(px):
    xor = b"".join(bytes(px[y]) for y in reversed(range(SIZE)))  # bottom-up rows
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if px[y][x] == TRANSPARENT else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + xor + bytes(mask)
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 22) + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "Zembra.ico"
    with open(out, "wb") as f:
        f.write(ico(draw()))
