// CImageFlipper: mirrors a picture left-right and/or top-bottom.
#pragma once

#include "CImage32BitProcessor.h"

// Rule: every source pixel (c, y), fourth byte included, goes to destination
// (c', y') with c' = width - 1 - c when m_bHorz is nonzero (else c) and
// y' = height - 1 - y when m_bVert is nonzero (else y). Both flags 0: a plain
// copy; both set: a 180-degree turn. The size does not change.
class TESLIB_API CImageFlipper : public CImage32BitProcessor
{
public:
    CImageFlipper(int bHorz, int bVert);

    BOOL ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const override;

protected:
    int m_bHorz;
    int m_bVert;
};
