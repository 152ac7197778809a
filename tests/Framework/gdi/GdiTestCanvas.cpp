// GdiTestCanvas (see GdiTestCanvas.h).
#include "GdiTestCanvas.h"

GdiTestCanvas::GdiTestCanvas(int nWidth, int nHeight, COLORREF crFill)
    : m_nWidth(nWidth)
    , m_nHeight(nHeight)
    , m_pBits(nullptr)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr || !m_bitmap.Attach(hBitmap) || !m_dc.CreateCompatibleDC(nullptr))
        return;
    m_dc.SelectObject(&m_bitmap);
    m_pBits = static_cast<DWORD*>(pBits);
    m_dc.FillSolidRect(0, 0, nWidth, nHeight, crFill);
}

GdiTestCanvas::~GdiTestCanvas() = default;

COLORREF GdiTestCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    const DWORD bgrx = m_pBits[y * m_nWidth + x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

void GdiTestCanvas::SetPixelBits(int x, int y, COLORREF crColor)
{
    ::GdiFlush();
    m_pBits[y * m_nWidth + x] = (static_cast<DWORD>(GetRValue(crColor)) << 16)
        | (static_cast<DWORD>(GetGValue(crColor)) << 8) | GetBValue(crColor);
}

int GdiTestCanvas::CountColor(int l, int t, int r, int b, COLORREF crColor) const
{
    int count = 0;
    for (int y = t; y < b; ++y) {
        for (int x = l; x < r; ++x) {
            if (Pixel(x, y) == crColor)
                ++count;
        }
    }
    return count;
}

COLORREF GdiTestCanvas::PatternColor(int x, int y)
{
    return RGB(10 + 23 * x + 3 * y, 240 - 17 * y - x, (31 * x + 47 * y + 5) % 251);
}

void GdiTestCanvas::FillPattern()
{
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            SetPixelBits(x, y, PatternColor(x, y));
    }
}
