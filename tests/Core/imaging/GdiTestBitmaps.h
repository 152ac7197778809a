// Test bitmaps for the GDI imaging tests: screen-compatible bitmaps made from
// TestImage buffers with plain GDI calls, independent of the picture object
// under test (guitest::BitmapReader reads them back).
#pragma once

#include "PlatformTypes.h"
#include "TestPictures.h"

namespace GdiTestBitmaps {

// A new screen-compatible bitmap holding image's pixels; the caller deletes it.
HBITMAP Make(const TestImage& image);
// image with every fourth byte set to 0, as a bitmap gives it back.
TestImage WithoutFourthByte(TestImage image);

} // namespace GdiTestBitmaps
