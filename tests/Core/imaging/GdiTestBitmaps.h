// Test bitmaps for the GDI imaging tests: screen-compatible bitmaps made from
// and read back into TestImage buffers with plain GDI calls, independent of
// the picture object under test.
#pragma once

#include "PlatformTypes.h"
#include "TestImage.h"

namespace GdiTestBitmaps {

// A new screen-compatible bitmap holding image's pixels; the caller deletes it.
HBITMAP Make(const TestImage& image);
// The bitmap's pixels, fourth byte 0; an empty image when they cannot be read.
TestImage Read(HBITMAP hBitmap);
// The bitmap's width and height; (0, 0) when it is no bitmap.
CSize SizeOf(HBITMAP hBitmap);
// image with every fourth byte set to 0, as a bitmap gives it back.
TestImage WithoutFourthByte(TestImage image);

} // namespace GdiTestBitmaps
