#!/usr/bin/env python3
"""Writes the picture files of the GDI imaging tests: one 48 x 32 test picture
as BMP (24-bit), JPEG (baseline, 4:4:4, quality table of ones) and GIF
(three-colour palette), and a 32 x 32 icon with a transparent square.

The picture has no symmetry: background (20, 60, 200), the left 16 columns
(220, 40, 90), an 8 x 8 square (30, 180, 70) at column 32, row 8. Every
region is aligned to 8 x 8 blocks, so each JPEG block is one flat colour and
needs no AC coefficients. The icon: background (200, 30, 40), the left 8
columns (40, 90, 220), a transparent 8 x 8 square at column 16, row 8.

Usage: make_test_images.py OUTPUT_DIR
"""
import os
import struct
import sys

BACKGROUND = (20, 60, 200)
LEFT_BAND = (220, 40, 90)
SQUARE = (30, 180, 70)
WIDTH, HEIGHT = 48, 32


def picture_color(x, y):
    if x < 16:
        return LEFT_BAND
    if 32 <= x < 40 and 8 <= y < 16:
        return SQUARE
    return BACKGROUND


def bmp_bytes():
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):           # bottom-up rows
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = picture_color(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


ICON_SIZE = 32
ICON_BACKGROUND = (200, 30, 40)
ICON_BAND = (40, 90, 220)


def icon_transparent(x, y):
    return 16 <= x < 24 and 8 <= y < 16


def ico_bytes():
    xor = bytearray()
    and_mask = bytearray()
    for y in reversed(range(ICON_SIZE)):
        for x in range(ICON_SIZE):
            r, g, b = ICON_BAND if x < 8 else ICON_BACKGROUND
            xor += bytes((0, 0, 0)) if icon_transparent(x, y) else bytes((b, g, r))
        bits = 0
        for x in range(ICON_SIZE):
            bits = (bits << 1) | (1 if icon_transparent(x, y) else 0)
        and_mask += struct.pack('>I', bits)     # 32 pixels: one DWORD, no padding
    header = struct.pack('<IiiHHIIiiII', 40, ICON_SIZE, 2 * ICON_SIZE, 1, 24, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', ICON_SIZE, ICON_SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def gif_bytes():
    palette = [BACKGROUND, LEFT_BAND, SQUARE, (0, 0, 0)]
    indices = [palette.index(picture_color(x, y)) for y in range(HEIGHT) for x in range(WIDTH)]
    # LZW with 2-bit pixels: codes are 3 bits wide (clear 4, end 5). A clear
    # code before every two pixels keeps the table from growing past 8
    # entries, so the code width never changes.
    codes = []
    for i, index in enumerate(indices):
        if i % 2 == 0:
            codes.append(4)
        codes.append(index)
    codes.append(5)
    bits, nbits, data = 0, 0, bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += 3
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    blocks = bytearray()
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        blocks += bytes((len(chunk),)) + chunk
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', WIDTH, HEIGHT, 0x81, 0, 0)      # global table of 4 colours
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += struct.pack('<BHHHHB', 0x2C, 0, 0, WIDTH, HEIGHT, 0)
    out += bytes((2,)) + blocks + bytes((0,)) + b';'
    return bytes(out)


# Standard luminance DC Huffman table (the only table needed: AC is always EOB).
DC_COUNTS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALUES = list(range(12))
AC_COUNTS = [0, 1] + [0] * 14                  # one code of length 2: EOB
AC_VALUES = [0x00]


def huffman_codes(counts, values):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def jpeg_bytes():
    def ycc(rgb):
        r, g, b = rgb
        y = 0.299 * r + 0.587 * g + 0.114 * b
        cb = 128 - 0.168736 * r - 0.331264 * g + 0.5 * b
        cr = 128 + 0.5 * r - 0.418688 * g - 0.081312 * b
        return [int(round(v)) for v in (y, cb, cr)]

    dc_codes = huffman_codes(DC_COUNTS, DC_VALUES)
    ac_codes = huffman_codes(AC_COUNTS, AC_VALUES)
    bitbuf = []

    def put(value, length):
        for i in reversed(range(length)):
            bitbuf.append((value >> i) & 1)

    previous = [0, 0, 0]
    for by in range(HEIGHT // 8):
        for bx in range(WIDTH // 8):
            components = ycc(picture_color(bx * 8, by * 8))
            for c in range(3):
                dc = 8 * (components[c] - 128)      # flat block: F(0,0) = 8 * (level - 128)
                diff = dc - previous[c]
                previous[c] = dc
                size = abs(diff).bit_length()
                code, length = dc_codes[size]
                put(code, length)
                if size:
                    put(diff if diff > 0 else diff + (1 << size) - 1, size)
                code, length = ac_codes[0x00]
                put(code, length)
    while len(bitbuf) % 8:
        bitbuf.append(1)
    scan = bytearray()
    for i in range(0, len(bitbuf), 8):
        byte = int(''.join(map(str, bitbuf[i:i + 8])), 2)
        scan.append(byte)
        if byte == 0xFF:
            scan.append(0)

    def segment(marker, payload):
        return struct.pack('>BBH', 0xFF, marker, len(payload) + 2) + payload

    out = bytearray(b'\xFF\xD8')
    out += segment(0xE0, b'JFIF\x00' + struct.pack('>BBBHHBB', 1, 1, 0, 1, 1, 0, 0))
    out += segment(0xDB, bytes((0,)) + bytes([1] * 64))
    out += segment(0xC0, struct.pack('>BHHB', 8, HEIGHT, WIDTH, 3)
                   + bytes((1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0)))
    out += segment(0xC4, bytes((0x00,)) + bytes(DC_COUNTS) + bytes(DC_VALUES))
    out += segment(0xC4, bytes((0x10,)) + bytes(AC_COUNTS) + bytes(AC_VALUES))
    out += segment(0xDA, bytes((3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0)))
    out += scan + b'\xFF\xD9'
    return bytes(out)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {'pattern.bmp': bmp_bytes(), 'pattern.jpg': jpeg_bytes(), 'pattern.gif': gif_bytes(),
             'pattern.ico': ico_bytes()}
    for name, data in files.items():
        with open(os.path.join(target, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
