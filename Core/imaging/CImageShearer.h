// CImageShearer: slants a picture horizontally and/or vertically.
#pragma once

#include "CImage32BitProcessor.h"

// Amounts: m_nShearX, m_nShearY in pixels, any sign (|INT_MIN| is formed in
// 64 bits).
//
// CalcDestSize (w x h): (w + |m_nShearX|) x (h + |m_nShearY|), computed in
// 64 bits and saturated.
//
// ProcessPixels (source W x H, destination DW x DH): both amounts 0 copies.
// For destination column i the vertical shift is m_nShearY*i / DW when
// m_nShearY > 0, (DW - i)*(-m_nShearY) / DW when m_nShearY < 0, else 0; for
// destination row j the horizontal shift is (-m_nShearX)*j / DH when
// m_nShearX < 0, (DH - j)*m_nShearX / DH when m_nShearX > 0, else 0 (integer
// product in 64 bits, then a double division). sx = i - horizontal shift,
// sy = j - vertical shift; px = trunc(sx), py = trunc(sy). When
// 0 <= px < W and 0 <= py < H the pixel is CalcWeightedColor(source, sx, sy)
// with m_bSmooth set, else the whole source pixel (px, py); otherwise the
// background stays. A positive horizontal amount moves the top row right by
// the full amount and the bottom row by almost nothing; a positive vertical
// amount moves the right-hand column down by almost the full amount.
class TESLIB_API CImageShearer : public CImage32BitProcessor
{
public:
    CImageShearer(int nShearX, int nShearY, int bSmooth);

    CSize CalcDestSize(CSize sizeSrc) const override;
    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

protected:
    int m_nShearX;
    int m_nShearY;
};
