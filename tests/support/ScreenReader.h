// ScreenReader: reads what is on the screen, one pixel (GetPixel on the
// screen DC) or a rectangle (BitBlt of the desktop into a 32-bit top-down
// DIB; pixels as COLORREF, rows top first, no gaps).
#pragma once

#include <vector>

#include "PlatformTypes.h"

namespace guitest {

class ScreenReader
{
public:
    static COLORREF Pixel(int x, int y);
    // width * height COLORREFs of the screen rectangle; empty on failure.
    static std::vector<COLORREF> Rect(const RECT& rect);
};

} // namespace guitest
