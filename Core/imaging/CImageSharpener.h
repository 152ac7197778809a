// CImageSharpener: sharpens a picture with a 3 x 3 kernel that sums to 1.
#pragma once

#include "CImage32BitProcessor.h"

// Strength: m_nFactor in 0 ... 10 (negative values are stored as 0, values
// above 10 as 10); 0 copies. The size does not change.
//
// Weights, in double precision: e = 51 - 5*strength, q = 1/e,
// g = 1/((q + 1)*4); centre 2.0, the four direct neighbours -g, the four
// diagonal neighbours -(q*g). Strength 10 gives -0.125 on all eight
// neighbours; strength 1 gives -0.24468085106382975 direct and
// -0.005319148936170212 diagonal.
// Pixels of the first or last column or row are copied whole (fourth byte
// included). Every other pixel: for each of r, g, b the sum of weight*value
// over the nine positions, accumulated in double precision from 0 in the
// order column c-1, c, c+1 and within each column row y-1, y, y+1; the sum
// is clamped to [0, 255] and truncated. The fourth byte is not written.
// A uniform interior of 128 becomes 127 at strength 1 (the sum falls just
// below 128).
class TESLIB_API CImageSharpener : public CImage32BitProcessor
{
public:
    explicit CImageSharpener(int nFactor);

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

protected:
    int m_nFactor;
};
