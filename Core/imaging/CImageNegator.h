// CImageNegator: inverts the colours of a picture.
#pragma once

#include "CImage32BitProcessor.h"

// Rule, for every pixel: b, g and r of the destination become 255 minus the
// source value; the destination's fourth byte is not written (it keeps the
// background fill's value). The size does not change.
class TESLIB_API CImageNegator : public CImage32BitProcessor
{
public:
    CImageNegator();

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;
};
