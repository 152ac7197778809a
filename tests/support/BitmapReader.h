// BitmapReader: the pixels of a GDI bitmap, read with plain GDI calls
// (GetDIBits into a 32-bit top-down picture), independently of the code
// under test.
#pragma once

#include "PlatformTypes.h"
#include "TestImage.h"

namespace guitest {

class BitmapReader
{
public:
    // The bitmap's pixels, fourth byte 0; an empty image when it is no bitmap
    // or its pixels cannot be read.
    static TestImage Read(HBITMAP hBitmap);
};

} // namespace guitest
