// ScreenReader: screen pixels for tests (see ScreenReader.h).
#include "ScreenReader.h"

namespace guitest {

COLORREF ScreenReader::Pixel(int x, int y)
{
    HDC hScreen = GetDC(nullptr);
    const COLORREF color = GetPixel(hScreen, x, y);
    ReleaseDC(nullptr, hScreen);
    return color;
}

TestImage ScreenReader::Rect(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    TestImage image;
    if (width <= 0 || height <= 0)
        return image;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;   // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hDib = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hMem != nullptr && hDib != nullptr) {
        HGDIOBJ hOld = SelectObject(hMem, hDib);
        if (BitBlt(hMem, 0, 0, width, height, hScreen, rect.left, rect.top, SRCCOPY)) {
            GdiFlush();
            image = TestImage(width, height);
            const RGBX* pSource = static_cast<const RGBX*>(pBits);
            for (int i = 0; i < width * height; ++i)
                image.pixels[i] = RGBX(pSource[i].b, pSource[i].g, pSource[i].r, 0);
        }
        SelectObject(hMem, hOld);
    }
    if (hDib != nullptr)
        DeleteObject(hDib);
    if (hMem != nullptr)
        DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return image;
}

} // namespace guitest
