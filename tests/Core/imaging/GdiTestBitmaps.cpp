// Test bitmaps for the GDI imaging tests (see GdiTestBitmaps.h).
#include "GdiTestBitmaps.h"

namespace GdiTestBitmaps {

namespace {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

} // namespace

HBITMAP Make(const TestImage& image)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, image.width, image.height);
    BITMAPINFO bmi = TopDown32(image.width, image.height);
    if (hBitmap != nullptr
        && ::SetDIBits(hScreen, hBitmap, 0, image.height, image.Data(), &bmi, DIB_RGB_COLORS) != image.height) {
        ::DeleteObject(hBitmap);
        hBitmap = nullptr;
    }
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

TestImage WithoutFourthByte(TestImage image)
{
    for (RGBX& pixel : image.pixels)
        pixel.x = 0;
    return image;
}

} // namespace GdiTestBitmaps
