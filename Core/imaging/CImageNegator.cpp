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
        pDst[i].b = static_cast<BYTE>(255 - pSrc[i].b);
        pDst[i].g = static_cast<BYTE>(255 - pSrc[i].g);
        pDst[i].r = static_cast<BYTE>(255 - pSrc[i].r);
    }
    return TRUE;
}
