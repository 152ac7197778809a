// ScreenReader: reads what is on the screen, one pixel (GetPixel on the
// screen DC) or a rectangle (BitBlt of the desktop into a 32-bit top-down
// DIB).
#pragma once

#include "PlatformTypes.h"
#include "TestImage.h"

namespace guitest {

class ScreenReader
{
public:
    static COLORREF Pixel(int x, int y);
    // The screen rectangle's pixels, fourth byte 0; an empty image on
    // failure.
    static TestImage Rect(const RECT& rect);
};

} // namespace guitest
