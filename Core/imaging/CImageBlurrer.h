// CImageBlurrer: softens a picture with a 3 x 3 weighted average.
#pragma once

#include "CImage32BitProcessor.h"

// Strength: m_nFactor in 0 ... 10 (negative values are stored as 0, values
// above 10 as 10); 0 copies. The size does not change.
//
// Weights: 1 for each of the eight neighbours, 55 - 5*strength for the centre
// (50 at strength 1 down to 5 at strength 10); all arithmetic is integer.
// For every pixel only the neighbourhood positions inside the picture count:
// each of r, g, b is min(sum of weight*value / sum of weights, 255) (integer
// division), so an interior pixel divides by 8 + centre, an edge pixel by
// 5 + centre and a corner pixel by 3 + centre. The destination's fourth byte
// is not written.
class TESLIB_API CImageBlurrer : public CImage32BitProcessor
{
public:
    explicit CImageBlurrer(int nFactor);

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

protected:
    int m_nFactor;
};
