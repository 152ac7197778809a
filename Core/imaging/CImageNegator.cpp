// CImageNegator: colour inversion that keeps the destination's fourth byte.
#include "CImageNegator.h"

CImageNegator::CImageNegator() : CImage32BitProcessor(0)
{
}

BOOL CImageNegator::ProcessPixels(const RGBX* pSrc, CSize sizeSrc, RGBX* pDst, CSize sizeDst) const
{
    if (!AreBuffersValid(pSrc, sizeSrc, pDst, sizeDst) || sizeSrc != sizeDst)
        return FALSE;
    const size_t count = static_cast<size_t>(sizeSrc.cx) * static_cast<size_t>(sizeSrc.cy);
    for (size_t i = 0; i < count; ++i)
    {
        // Whole-pixel stores (the fourth byte written back as it was) let the
        // loop vectorise.
        const RGBX& src = pSrc[i];
        pDst[i] = RGBX(static_cast<BYTE>(255 - src.b), static_cast<BYTE>(255 - src.g),
                       static_cast<BYTE>(255 - src.r), pDst[i].x);
    }
    return TRUE;
}
