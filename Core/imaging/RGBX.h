// RGBX: one pixel of a 32-bit image buffer, and the buffer contract shared by
// every processor, the chain runner and the picture object.
//
// Pixel buffers:
//  - A buffer of W x H pixels is an array of W * H RGBX records, row-major,
//    top row first, rows following each other without gaps (a row is exactly
//    W pixels, 4 * W bytes). Pixel (column c, row y) is element y * W + c.
//  - Each pixel is four bytes in memory order blue, green, red and a fourth
//    byte that carries no colour meaning, so a buffer has exactly the bytes of
//    a top-down, 32 bits-per-pixel, BI_RGB device-independent bitmap. The
//    fourth byte is ignored when a buffer becomes a bitmap again.
//  - Colours cross interfaces as COLORREF values (0x00BBGGRR); such a colour
//    becomes the pixel b = bits 16-23, g = bits 8-15, r = bits 0-7, x = 0.
//  - Processors never own buffers: whoever allocates a buffer (with new[])
//    frees it (with delete[]).
#pragma once

#include "PlatformTypes.h"

struct RGBX
{
    BYTE b;
    BYTE g;
    BYTE r;
    BYTE x;

    RGBX() : b(0), g(0), r(0), x(0) {}
    RGBX(BYTE blue, BYTE green, BYTE red, BYTE fourth) : b(blue), g(green), r(red), x(fourth) {}

    // The pixel of a COLORREF; bits 24-31 of the colour are not used.
    static RGBX FromColor(COLORREF clr)
    {
        return RGBX(static_cast<BYTE>((clr >> 16) & 0xFF), static_cast<BYTE>((clr >> 8) & 0xFF),
                    static_cast<BYTE>(clr & 0xFF), 0);
    }

    bool operator==(const RGBX& other) const { return b == other.b && g == other.g && r == other.r && x == other.x; }
    bool operator!=(const RGBX& other) const { return !(*this == other); }
};
