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

CSize SizeOf(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

TestImage Read(HBITMAP hBitmap)
{
    const CSize size = SizeOf(hBitmap);
    if (size.cx <= 0 || size.cy <= 0)
        return TestImage();
    TestImage image(size.cx, size.cy);
    BITMAPINFO bmi = TopDown32(size.cx, size.cy);
    HDC hScreen = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hScreen, hBitmap, 0, size.cy, image.Data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    if (nLines != size.cy)
        return TestImage();
    return WithoutFourthByte(image);
}

TestImage WithoutFourthByte(TestImage image)
{
    for (RGBX& pixel : image.pixels)
        pixel.x = 0;
    return image;
}

} // namespace GdiTestBitmaps
