// GdiTestCanvas: a memory DC with a 32-bit top-down DIB section selected into
// it, so that tests draw through CDC and read the resulting pixels directly.
#pragma once

#include "CBitmap.h"
#include "CDC.h"

class GdiTestCanvas
{
public:
    GdiTestCanvas(int nWidth, int nHeight, COLORREF crFill);
    ~GdiTestCanvas();
    GdiTestCanvas(const GdiTestCanvas&) = delete;
    GdiTestCanvas& operator=(const GdiTestCanvas&) = delete;

    bool IsValid() const { return m_pBits != nullptr; }
    CDC& DC() { return m_dc; }
    CBitmap& Bitmap() { return m_bitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // The pixel as a COLORREF, read from the DIB memory (after a GdiFlush).
    COLORREF Pixel(int x, int y) const;
    void SetPixelBits(int x, int y, COLORREF crColor);
    // Number of pixels of rectangle (l, t, r, b) that have colour crColor.
    int CountColor(int l, int t, int r, int b, COLORREF crColor) const;

    // An image with no symmetry and distinct red, green and blue values in
    // every pixel, so that flips, shifts and swapped channels show at once.
    static COLORREF PatternColor(int x, int y);
    void FillPattern();

private:
    int m_nWidth;
    int m_nHeight;
    DWORD* m_pBits;
    // The bitmap is declared before the DC: the DC goes first and puts its
    // initial bitmap back, then the bitmap is deleted.
    CBitmap m_bitmap;
    CDC m_dc;
};
