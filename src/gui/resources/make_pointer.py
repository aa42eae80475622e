#!/usr/bin/env python3
"""Writes h_point.cur, the pointing-hand mouse pointer of the quick prediction grid.

The picture is drawn below ('K' outline, 'W' fill, anything else clear) and stored
as a 32 x 32 pointer file (32-bit colour with alpha plus the AND mask), hot spot at
the tip of the finger. Run it from this folder: python3 make_pointer.py
"""
import struct

PICTURE = """
......KK
.....KWWK
.....KWWK
.....KWWK
.....KWWK
.....KWWK
.....KWWKKK
.....KWWKWWKKK
.....KWWKWWKWWKK
.....KWWKWWKWWKWK
..KK.KWWKWWKWWKWWK
.KWWKKWWWWWWWWWWWK
.KWWWKWWWWWWWWWWWK
..KWWWWWWWWWWWWWWK
..KWWWWWWWWWWWWWWK
...KWWWWWWWWWWWWWK
...KWWWWWWWWWWWWK
....KWWWWWWWWWWWK
....KWWWWWWWWWWK
.....KWWWWWWWWWK
.....KWWWWWWWWWK
.....KKKKKKKKKKK
"""
HOT_SPOT = (7, 1)
SIZE = 32


def pixels():
    rows = [line for line in PICTURE.split("\n")[1:-1]]
    grid = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch == "K":
                grid[y][x] = (0, 0, 0, 255)
            elif ch == "W":
                grid[y][x] = (255, 255, 255, 255)
    return grid


def pointer_file():
    grid = pixels()
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        for x in range(SIZE):
            r, g, b, a = grid[y][x]
            colour += bytes((b, g, r, a))
            bits = (bits << 1) | (0 if a else 1)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 22)
    return directory + entry + image


if __name__ == "__main__":
    with open("h_point.cur", "wb") as out:
        out.write(pointer_file())
