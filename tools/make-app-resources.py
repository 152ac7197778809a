#!/usr/bin/env python3
"""Draws the program's own artwork and capture sound into Main/res/.

Everything is computed here from simple shapes, so the files can be made
again at any time:  python3 tools/make-app-resources.py
  tes.ico        program icon: a blue rounded square with a camera lens,
                 seven sizes (16 ... 256), 32-bit with alpha
  hand.cur       the preview's hand cursor, 32 x 32, hot spot at the fingertip
  preview.bmp    placeholder picture, 450 x 320, 24 bits per pixel
  about.bmp      about-box banner, 120 x 60, 8 bits per pixel (palette)
  snap.wav       capture click, 16-bit mono 22050 Hz, about 90 ms
"""
import math
import os
import random
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Main", "res")

# The placeholder's frame colour; the program's tests read it back.
PLACEHOLDER_FRAME = (40, 90, 160)


def clamp(v):
    return max(0, min(255, int(round(v))))


def coverage(d):
    """Anti-aliased coverage of a pixel whose centre is d pixels inside an edge."""
    return max(0.0, min(1.0, d + 0.5))


def blend(dst, src, a):
    return tuple(dst[i] * (1 - a) + src[i] * a for i in range(len(src)))


# ---------------------------------------------------------------- icon
def icon_pixel(x, y, n):
    """RGBA of pixel (x, y) of the n x n icon, in unit coordinates."""
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    px = 1.0 / n
    # Rounded square body.
    r = 0.18
    cx = min(max(u, r + 0.04), 0.96 - r)
    cy = min(max(v, r + 0.10), 0.92 - r)
    d_body = (r - math.hypot(u - cx, v - cy)) / px
    a = coverage(d_body)
    if a <= 0:
        return (0, 0, 0, 0)
    top = (70, 150, 230)
    bottom = (20, 70, 160)
    t = (v - 0.10) / 0.82
    col = blend(top, bottom, max(0.0, min(1.0, t)))
    # Lens: white ring, dark glass, light spot.
    d = math.hypot(u - 0.5, v - 0.53)
    col = blend(col, (245, 245, 250), coverage((0.27 - d) / px))
    col = blend(col, (30, 40, 60), coverage((0.20 - d) / px))
    col = blend(col, (60, 110, 190), coverage((0.13 - d) / px))
    col = blend(col, (230, 240, 255), coverage((0.05 - math.hypot(u - 0.45, v - 0.47)) / px))
    # Red record dot at top right.
    col = blend(col, (230, 60, 60), coverage((0.06 - math.hypot(u - 0.78, v - 0.26)) / px))
    return tuple(clamp(c) for c in col) + (clamp(a * 255),)


def bmp_icon_image(n, pixel):
    """An icon directory image in BMP form: header, BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            rows += bytes((b, g, r, a))
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(n):
            if pixel(x, y, n)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(rows) + bytes(mask)


def png_image(n, pixel):
    raw = bytearray()
    for y in range(n):
        raw.append(0)
        for x in range(n):
            raw += bytes(pixel(x, y, n))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def icon_file(images, kind=1, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file of (size, data) images."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for i, (n, data) in enumerate(images):
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, planes, bits, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


# ---------------------------------------------------------------- cursor
HAND = [
    "....XX..........",
    "...X..X.........",
    "...X..X.........",
    "...X..X.........",
    "...X..XXX.......",
    "...X..X..XXX....",
    "...X..X..X..XX..",
    "XX.X..X..X..X.X.",
    "X.XX........X..X",
    "X..X...........X",
    ".X.............X",
    ".X.............X",
    "..X...........X.",
    "..X...........X.",
    "...X.........X..",
    "...XXXXXXXXXXX..",
]
HAND_HOTSPOT = (9, 0)


def hand_pixel(x, y, n):
    """The hand drawn at twice the art's size: black outline, white between
    the outermost outline pixels of each row."""
    ax, ay = x // 2, y // 2
    if ay >= len(HAND):
        return (0, 0, 0, 0)
    row = HAND[ay]
    if row[ax] == "X":
        return (0, 0, 0, 255)
    if ay > 0 and row.find("X") < ax < row.rfind("X"):
        return (255, 255, 255, 255)
    return (0, 0, 0, 0)


# ---------------------------------------------------------------- bitmaps
def bmp_file(width, height, bits, rows_top_down, palette=b""):
    """A BITMAPFILEHEADER + BITMAPINFOHEADER file; rows given top first."""
    stride = ((width * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows_top_down):
        data += row + bytes(stride - len(row))
    colors = len(palette) // 4
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, colors, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return head + info + palette + bytes(data)


def preview_pixel(x, y):
    """The placeholder: a frame, a soft gradient and a camera in the middle."""
    w, h = 450, 320
    if x < 12 or y < 12 or x >= w - 12 or y >= h - 12:
        return PLACEHOLDER_FRAME
    t = y / h
    col = blend((235, 242, 250), (190, 210, 235), t)
    # Camera body.
    bx0, by0, bx1, by1 = 135, 105, 315, 225
    inside = bx0 <= x < bx1 and by0 <= y < by1
    if inside:
        col = (70, 80, 100)
    if 190 <= x < 250 and 85 <= y < 105:
        col = (70, 80, 100)
    d = math.hypot(x - 225, y - 165)
    col = blend(col, (245, 245, 250), coverage(48 - d))
    col = blend(col, (30, 40, 60), coverage(38 - d))
    col = blend(col, (60, 110, 190), coverage(24 - d))
    col = blend(col, (230, 60, 60), coverage(8 - math.hypot(x - 292, y - 125)))
    return tuple(clamp(c) for c in col)


def about_palette():
    pal = bytearray()
    for i in range(256):
        # 0..199 a blue-to-teal ramp, 200.. white and greys.
        if i < 200:
            t = i / 199
            r, g, b = blend((20, 60, 140), (40, 170, 170), t)
        else:
            r = g = b = 255 - (i - 200) * 3
        pal += bytes((clamp(b), clamp(g), clamp(r), 0))
    return bytes(pal)


def about_index(x, y):
    w, h = 120, 60
    idx = int(199 * (x / (w - 1)))
    # Three white rings, like a lens seen from the front.
    for cx, cy, rad in ((30, 30, 20), (60, 30, 14), (90, 30, 8)):
        d = math.hypot(x - cx, y - cy)
        if rad - 2.5 <= d <= rad:
            return 200
    if y >= h - 4:
        return 230
    return idx


# ---------------------------------------------------------------- sound
def click_wav():
    rate = 22050
    n = int(rate * 0.09)
    rnd = random.Random(1201)
    samples = bytearray()
    for i in range(n):
        t = i / rate
        env = math.exp(-t * 60.0)
        tone = math.sin(2 * math.pi * 1800 * t) * math.exp(-t * 35.0)
        noise = (rnd.random() * 2 - 1) * env
        v = 0.55 * noise + 0.45 * tone
        samples += struct.pack("<h", int(max(-1.0, min(1.0, v)) * 26000))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    os.makedirs(OUT, exist_ok=True)
    images = []
    for n in (16, 24, 32, 48, 64, 128):
        images.append((n, bmp_icon_image(n, icon_pixel)))
    images.append((256, png_image(256, icon_pixel)))
    write("tes.ico", icon_file(images))
    # The cursor's entries carry the hot spot (x, y) where an icon has planes and bits.
    write("hand.cur", icon_file([(32, bmp_icon_image(32, hand_pixel))], kind=2, hotspots=[HAND_HOTSPOT]))
    rows = []
    for y in range(320):
        row = bytearray()
        for x in range(450):
            r, g, b = preview_pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row))
    write("preview.bmp", bmp_file(450, 320, 24, rows))
    rows = [bytes(about_index(x, y) for x in range(120)) for y in range(60)]
    write("about.bmp", bmp_file(120, 60, 8, rows, about_palette()))
    write("snap.wav", click_wav())


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
