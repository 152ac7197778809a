// BitmapReader: bitmap pixels for tests (see BitmapReader.h).
#include "BitmapReader.h"

namespace guitest {

TestImage BitmapReader::Read(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0
        || bm.bmHeight <= 0)
        return TestImage();
    TestImage image(bm.bmWidth, bm.bmHeight);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;   // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = GetDC(nullptr);
    const int nLines = GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, image.Data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hScreen);
    if (nLines != bm.bmHeight)
        return TestImage();
    for (RGBX& pixel : image.pixels)
        pixel.x = 0;
    return image;
}

} // namespace guitest
