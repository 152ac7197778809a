// CImageGrayer: turns a picture into grey scale.
#pragma once

#include "CImage32BitProcessor.h"

// Rule, for every pixel: gray = (3*r + 6*g + 1*b) / 10 in integers (truncated);
// the destination pixel is (b = gray, g = gray, r = gray, fourth byte 0).
// White stays 255, pure red gives 76, pure green 153, pure blue 25.
// The size does not change.
class TESLIB_API CImageGrayer : public CImage32BitProcessor
{
public:
    CImageGrayer();

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;
};
