#!/usr/bin/env python3
"""Draws the region selection cursor of TesLib (Core/res/snap_rect.cur).

A 32 x 32 monochrome cursor: a thin black cross-hair with a white outline,
open in the middle so that the pixel under the hot spot (15, 15) stays
visible. Run it from the repository root; the output is committed.
"""
import struct
import sys

SIZE = 32
HOT = 15
ARM_END = 14      # arms reach from the hot spot out to 14 pixels
GAP = 3           # pixels left open around the hot spot

BLACK, WHITE, CLEAR = 0, 1, 2


def draw():
    pixels = [[CLEAR] * SIZE for _ in range(SIZE)]
    # The white outline first: the arms one pixel wider on each side.
    for d in range(GAP, ARM_END + 2):
        for sign in (-1, 1):
            c = HOT + sign * d
            if 0 <= c < SIZE:
                for w in (-1, 0, 1):
                    pixels[HOT + w][c] = WHITE
                    pixels[c][HOT + w] = WHITE
    # The black arms on top.
    for d in range(GAP + 1, ARM_END + 1):
        for sign in (-1, 1):
            c = HOT + sign * d
            pixels[HOT][c] = BLACK
            pixels[c][HOT] = BLACK
    return pixels


def mask_rows(pixels, bit_of):
    """Rows of a 1-bit mask, bottom row first, 4 bytes each."""
    rows = []
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            value = (value << 1) | bit_of(pixels[y][x])
        rows.append(struct.pack('>I', value))
    return b''.join(rows)


def cursor_file(pixels):
    # XOR bit 1 = white where the AND bit is 0; AND bit 1 = transparent.
    xor_mask = mask_rows(pixels, lambda p: 1 if p == WHITE else 0)
    and_mask = mask_rows(pixels, lambda p: 1 if p == CLEAR else 0)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0,
                         len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = struct.pack('<II', 0x00000000, 0x00FFFFFF)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, HOT, HOT, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'Core/res/snap_rect.cur'
    with open(out, 'wb') as f:
        f.write(cursor_file(draw()))


if __name__ == '__main__':
    main()
