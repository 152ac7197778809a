#!/usr/bin/env python3
"""Draws the tip control's background bitmap (Core/res/snap_tip_background.bmp).

220 x 253 pixels, 24 bits per pixel: a light-blue panel shaded from light at
the top to a deeper blue at the bottom; a 20-pixel title strip with a small
picture icon at the left and the caption "屏幕截图" (screen capture: the tip
serves both the object pick and the region selection); and a 1-pixel black
frame whose outer edge runs from (9, 89) to (210, 240), around the 200 x 150
magnifier area at (10, 90).

The caption is rendered with cairo's toy text API (through ctypes, so only
libcairo and a CJK font such as WenQuanYi Micro Hei are needed). The output is
committed; run this again only to change the artwork:

    python3 tools/make-tip-background.py Core/res/snap_tip_background.bmp
"""
import ctypes
import ctypes.util
import struct
import sys

WIDTH, HEIGHT = 220, 253
TITLE_HEIGHT = 20
CAPTION = "屏幕截图"
CAPTION_FONT = b"WenQuanYi Micro Hei"
FRAME = (9, 89, 210, 240)          # outer edge, inclusive
MAGNIFIER_FILL = (250, 252, 255)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def panel(pixels):
    top, bottom = (236, 246, 255), (178, 208, 242)
    for y in range(HEIGHT):
        row = lerp(top, bottom, y / (HEIGHT - 1))
        for x in range(WIDTH):
            pixels[y][x] = row


def title_strip(pixels):
    top, bottom = (92, 150, 218), (48, 104, 178)
    for y in range(TITLE_HEIGHT):
        row = lerp(top, bottom, y / (TITLE_HEIGHT - 1))
        for x in range(WIDTH):
            pixels[y][x] = row
    for x in range(WIDTH):                      # a light line under the strip
        pixels[TITLE_HEIGHT][x] = (214, 230, 250)


def picture_icon(pixels, left, top):
    """A 14 x 12 framed picture: sky, sun, two hills."""
    w, h = 14, 12
    for y in range(h):
        for x in range(w):
            if x in (0, w - 1) or y in (0, h - 1):
                colour = (255, 255, 255)
            elif y < 7:
                colour = (150, 205, 250)        # sky
            else:
                colour = (70, 160, 80)          # grass
            pixels[top + y][left + x] = colour
    for y, x in ((2, 9), (2, 10), (3, 9), (3, 10), (2, 11), (3, 11), (4, 10)):
        pixels[top + y][left + x] = (250, 210, 60)   # sun
    for x0, peak in ((2, 4), (6, 3)):            # hills rising into the sky
        for i in range(5):
            for y in range(7 - min(i, 4 - i) - 1, 7):
                if y >= peak:
                    pixels[top + y][left + x0 + i] = (60, 130, 70)


def caption(pixels, left, baseline, colour):
    cairo = ctypes.CDLL(ctypes.util.find_library("cairo") or "libcairo.so.2")
    cairo.cairo_image_surface_create.restype = ctypes.c_void_p
    cairo.cairo_create.restype = ctypes.c_void_p
    cairo.cairo_create.argtypes = [ctypes.c_void_p]
    cairo.cairo_image_surface_get_data.restype = ctypes.POINTER(ctypes.c_ubyte)
    cairo.cairo_image_surface_get_data.argtypes = [ctypes.c_void_p]
    cairo.cairo_image_surface_get_stride.argtypes = [ctypes.c_void_p]
    for name in ("cairo_surface_flush", "cairo_surface_destroy"):
        getattr(cairo, name).argtypes = [ctypes.c_void_p]
    cairo.cairo_destroy.argtypes = [ctypes.c_void_p]
    cairo.cairo_select_font_face.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int]
    cairo.cairo_set_font_size.argtypes = [ctypes.c_void_p, ctypes.c_double]
    cairo.cairo_move_to.argtypes = [ctypes.c_void_p, ctypes.c_double, ctypes.c_double]
    cairo.cairo_set_source_rgba.argtypes = [ctypes.c_void_p] + [ctypes.c_double] * 4
    cairo.cairo_show_text.argtypes = [ctypes.c_void_p, ctypes.c_char_p]

    FORMAT_ARGB32 = 0
    surface = cairo.cairo_image_surface_create(FORMAT_ARGB32, WIDTH, TITLE_HEIGHT)
    cr = cairo.cairo_create(surface)
    cairo.cairo_select_font_face(cr, CAPTION_FONT, 0, 1)     # upright, bold
    cairo.cairo_set_font_size(cr, 13.0)
    cairo.cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 1.0)
    cairo.cairo_move_to(cr, left, baseline)
    cairo.cairo_show_text(cr, CAPTION.encode("utf-8"))
    cairo.cairo_surface_flush(surface)
    data = cairo.cairo_image_surface_get_data(surface)
    stride = cairo.cairo_image_surface_get_stride(surface)
    inked = 0
    for y in range(TITLE_HEIGHT):
        for x in range(WIDTH):
            alpha = data[y * stride + x * 4 + 3] / 255.0     # little-endian ARGB: A last
            if alpha > 0:
                inked += 1
                pixels[y][x] = lerp(pixels[y][x], colour, alpha)
    cairo.cairo_destroy(cr)
    cairo.cairo_surface_destroy(surface)
    if inked < 40:
        sys.exit("the caption was not drawn: is a CJK font installed?")


def frame(pixels):
    left, top, right, bottom = FRAME
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            pixels[y][x] = (0, 0, 0) if edge else MAGNIFIER_FILL


def write_bmp(path, pixels):
    row_size = (WIDTH * 3 + 3) & ~3
    body = bytearray()
    for y in range(HEIGHT - 1, -1, -1):                 # bottom-up rows, BGR
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        body += row + bytes(row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pixels = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]
    panel(pixels)
    title_strip(pixels)
    picture_icon(pixels, 4, 4)
    caption(pixels, 24, 15, (255, 255, 255))
    frame(pixels)
    write_bmp(sys.argv[1], pixels)


if __name__ == "__main__":
    main()
